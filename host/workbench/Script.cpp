#include "workbench/Script.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <sstream>

namespace workbench {

std::string Args::Word(const char* what) {
    if (!More()) throw BadLine(std::string("missing ") + what);
    return fLine.words[fNext++];
}

namespace {
// from_chars takes no '+'; a script may write one.
const char* SkipPlus(const std::string& word) {
    const char* first = word.data();
    if (word.size() > 1 && word[0] == '+' && word[1] != '-' && word[1] != '+') ++first;
    return first;
}
}  // namespace

double ParseNumber(const std::string& word, const char* what) {
    const char* first = SkipPlus(word);
    const char* last = word.data() + word.size();
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range && end == last)
        throw BadLine(std::string(what) + " is out of range: '" + word + "'");
    if (error != std::errc() || end != last)
        throw BadLine(std::string(what) + " must be a number, not '" + word + "'");
    if (!std::isfinite(value)) throw BadLine(std::string(what) + " must be a finite number, not '" + word + "'");
    return value;
}

double Args::Number(const char* what) { return ParseNumber(Word(what), what); }

long Args::Integer(const char* what, long low, long high) {
    const std::string word = Word(what);
    const char* first = SkipPlus(word);
    const char* last = word.data() + word.size();
    // Wider than long, which is 32 bits on Windows: a word beyond long's range
    // must still read as beyond the limits.
    long long value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range && end == last) value = word[0] == '-' ? LLONG_MIN : LLONG_MAX;
    else if (error != std::errc() || end != last)
        throw BadLine(std::string(what) + " must be a whole number, not '" + word + "'");
    if (value < low || value > high)
        throw BadLine(std::string(what) + " must lie between " + std::to_string(low) + " and " + std::to_string(high) +
                      ", not " + word);
    return static_cast<long>(value);
}

int Args::Choice(const char* what, const std::vector<std::string>& choices) {
    const std::string word = Word(what);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == word) return static_cast<int>(i);
    std::string list;
    for (const std::string& c : choices) list += (list.empty() ? "" : ", ") + c;
    throw BadLine(std::string(what) + " must be one of " + list + ", not '" + word + "'");
}

bool Args::Keyword(const char* keyword) {
    if (More() && fLine.words[fNext] == keyword) {
        ++fNext;
        return true;
    }
    return false;
}

std::string Args::Rest() {
    std::string rest;
    while (More()) rest += (rest.empty() ? "" : " ") + fLine.words[fNext++];
    return rest;
}

void Args::End() {
    if (More()) throw BadLine("unexpected '" + fLine.words[fNext] + "'");
}

std::string Args::NewName(bool container) {
    const std::string name = Word("a name");
    if (!fState.names.emplace(name, container).second) throw BadLine("the name '" + name + "' is taken");
    return name;
}

std::string Args::KnownName() {
    const std::string name = Word("a name");
    if (!fState.names.count(name)) throw BadLine("nothing is called '" + name + "'");
    return name;
}

std::string Args::KnownContainer() {
    const std::string name = KnownName();
    if (!fState.names.at(name)) throw BadLine("'" + name + "' is not a layer or a group");
    return name;
}

void Args::NeedLayer() {
    if (!fState.layer) throw BadLine("there is no layer to draw in: add one with 'layer NAME' first");
}

Script ReadScript(std::istream& in, const std::string& file) {
    Script script;
    script.file = file;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        if (const std::size_t hash = text.find('#'); hash != std::string::npos) text.erase(hash);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::istringstream words(text);
        Line line;
        line.number = number;
        for (std::string word; words >> word;) line.words.push_back(word);
        if (line.words.empty()) continue;
        const std::size_t first = text.find_first_not_of(" \t");
        const std::size_t last = text.find_last_not_of(" \t");
        line.text = text.substr(first, last - first + 1);
        script.lines.push_back(std::move(line));
    }
    return script;
}

}  // namespace workbench
