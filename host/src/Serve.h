// How a host service becomes a host function: a trampoline with exactly the
// shape the plug-in's glue calls, which finds the serving host, records the
// call with its arguments and result, runs the service, and in relocating
// mode moves every memory block before it returns.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <type_traits>

#include "host/Host.h"
#include "interface/HostFunctions.h"

namespace host::detail {

std::string FormatReal(double value);
std::string FormatPoint(const Point2D& p);
std::string FormatPoint(const Point3D& p);
std::string FormatRect(const Rect2D& r);
std::string FormatCube(const Cube3D& c);
std::string FormatObject(const Host& host, ObjectHandle object);

inline std::string FormatArg(const Host&, int16_t v) { return std::to_string(v); }
inline std::string FormatArg(const Host&, int32_t v) { return std::to_string(v); }
inline std::string FormatArg(const Host&, uint8_t v) { return std::to_string(v); }
inline std::string FormatArg(const Host&, double v) { return FormatReal(v); }
inline std::string FormatArg(const Host&, const double* v) { return v ? FormatReal(*v) : "null"; }
inline std::string FormatArg(const Host&, const unsigned char* text) {
    return text ? "\"" + PascalToDisplay(text) + "\"" : "null";
}
inline std::string FormatArg(const Host&, const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }
inline std::string FormatArg(const Host&, const Point2D* p) { return p ? FormatPoint(*p) : "null"; }
inline std::string FormatArg(const Host&, const Point3D* p) { return p ? FormatPoint(*p) : "null"; }
inline std::string FormatArg(const Host&, const Rect2D* r) { return r ? FormatRect(*r) : "null"; }
inline std::string FormatArg(const Host& host, ObjectHandle object) { return FormatObject(host, object); }
inline std::string FormatArg(const Host& host, Handle handle) { return host.memory.NameOf(handle); }
inline std::string FormatArg(const Host&, CallbackBlock* block) { return block ? "block" : "null"; }
inline std::string FormatArg(const Host&, ObjectVisitor fn) { return fn ? "fn" : "null"; }
inline std::string FormatArg(const Host&, DialogHandler fn) { return fn ? "fn" : "null"; }
inline std::string FormatArg(const Host&, void* p) { return p ? "ptr" : "null"; }
inline std::string FormatArg(const Host&, const void* p) { return p ? "ptr" : "null"; }
// Out-arguments: the service notes what it writes.
template <class T>
std::string FormatArg(const Host&, T* p) {
    return p ? "&out" : "null";
}

template <int32_t Selector, auto Service>
struct Served;

template <int32_t Selector, class R, class... A, R (*Service)(Host&, A...)>
struct Served<Selector, Service> {
    // Runs inside the plug-in's frames, so nothing may unwind out of it: a
    // service that throws becomes a fault of the host, and the plug-in gets
    // the answer of a host that lacks the function.
    static R KS_CDECL Call(A... args) {
        Host& host = Host::Serving();
        std::size_t index = CallLog::npos;
        const int32_t outer = host.serving;
        host.serving = Selector;
        struct Restore {
            Host& host;
            int32_t outer;
            ~Restore() { host.serving = outer; }
        } restore{host, outer};
        try {
            // With the log off nothing is built: a call costs the same however
            // many come before it.
            LogEntry entry;
            entry.type = LogEntry::Type::Call;
            entry.selector = Selector;
            if (host.log.enabled && host.log.calls) {
                entry.name = ks::iface::Row<Selector>::kName;
                entry.args = {FormatArg(host, args)...};
            }
            index = host.log.Begin(std::move(entry));
            if constexpr (std::is_void_v<R>) {
                Service(host, args...);
                host.log.Finish(index, "");
                if (host.memory.Relocating()) host.memory.RelocateAll();
            } else {
                R result = Service(host, args...);
                host.log.Finish(index, index == CallLog::npos ? std::string() : FormatArg(host, result));
                if (host.memory.Relocating()) host.memory.RelocateAll();
                return result;
            }
        } catch (const std::exception& e) {
            Failed(host, index, e.what());
        } catch (...) {
            Failed(host, index, "an unknown exception");
        }
        if constexpr (!std::is_void_v<R>) return ks::iface::DefaultResult<R>(Selector);
    }

private:
    static void Failed(Host& host, std::size_t index, const char* what) noexcept {
        try {
            if (index != CallLog::npos) host.log.Finish(index, "threw");
            host.Fault(std::string(ks::iface::Row<Selector>::kName) + " threw: " + what);
        } catch (...) {
            std::fputs("the substitute host could not record a fault\n", stderr);
            std::abort();
        }
    }
};

// The trampoline's address, checked against the shape the glue calls.
template <int32_t Selector, auto Service>
void* HostFunction() {
    static_assert(std::is_same_v<decltype(&Served<Selector, Service>::Call), ks::iface::HostFunctionOf<Selector>>,
                  "the service does not have the shape of its host function");
    return reinterpret_cast<void*>(&Served<Selector, Service>::Call);
}

}  // namespace host::detail
