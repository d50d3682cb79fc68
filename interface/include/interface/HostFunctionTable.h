// The host functions this plug-in calls, one row each:
//
//   X(selector, Name, shape, "contract")
//
// The shape is the host function's result and parameters after the callback
// block. The glue's wrapper KS_<Name>, what it answers when the host lacks
// the function, and the substitute host's registration of its service
// <Name> are all derived from the row (interface/HostFunctions.h).
//
// Tags in the contract:
//   [absent: V]     what the wrapper answers when the host lacks the
//                   function (every row with a result has one); V is a
//                   number, false, true or null
//   [by-address]    a value the caller passes as such and the host reads
//                   through a pointer to the glue's own copy (the shape
//                   says which: ByAddress<T>)
//   [passes block]  the glue appends the callback block as the last
//                   argument, for the host to hand on to a plug-in function
//   [out]           the host writes through a pointer; callers initialise it
//                   first, so a host without the function leaves a defined
//                   value behind
// Every Pascal string is a length byte and up to 255 characters.
#pragma once

#include "interface/KSTypes.h"
#include "kernel/DKCoordTypes.h"

namespace ks::iface {
// Marks a parameter that the host reads through a pointer.
template <class T>
struct ByAddress {};
}  // namespace ks::iface

// clang-format off
#define KS_HOST_FUNCTIONS(X)                                                                                          \
    X(7,   SetObjectSelected,     void(ObjectHandle /*object*/, Boolean /*selected*/),                                \
       "sets (1) or clears (0) the selection mark of one object")                                                     \
    X(30,  HasSelection,          int32_t(),                                                                          \
       "nonzero when the document has selected objects for the tool [absent: 0]")                                     \
    X(34,  ForEachObject,         void(int16_t /*which*/, ObjectVisitor /*visit*/, void* /*env*/),                    \
       "calls visit(object, block, env) once for each object chosen by which; copies made meanwhile are not "         \
       "visited [passes block]")                                                                                      \
    X(35,  AddModeButton,         void(int16_t /*resourceId*/),                                                       \
       "appends a push button to the tool's mode bar as the next group")                                              \
    X(37,  AddModeRadioGroup,     void(int16_t /*initialChoice*/, int16_t /*choiceCount*/, int16_t, int16_t,          \
                                       int16_t, int16_t, int16_t, int16_t /*six resource ids*/),                      \
       "appends choices (initial one 1-based, resource ids, 0 in unused slots) to the mode bar as the next group")    \
    X(39,  EnableModeGroup,       void(int16_t /*group*/, Boolean /*enabled*/),                                       \
       "enables (1) or greys out (0) one group of the mode bar")                                                      \
    X(42,  DrawFeedbackLine,      void(const Point2D* /*from*/, const Point2D* /*to*/),                               \
       "draws a plan line as feedback; the same line drawn again removes it")                                         \
    X(44,  DrawFeedbackRect,      void(const Rect2D* /*rect*/),                                                       \
       "draws a plan rectangle's outline as feedback, self-erasing like the line")                                    \
    X(60,  GetObjectKind,         int16_t(ObjectHandle /*object*/),                                                   \
       "the object's kind number [absent: 0]")                                                                        \
    X(61,  SetMessageText,        void(const unsigned char* /*text*/),                                                \
       "shows a Pascal string in the message line of the active tool")                                                \
    X(73,  BeginUndoStep,         void(int16_t /*kind*/),                                                             \
       "opens an undo step of the kind; the moves and copies recorded after it belong to it")                         \
    X(110, InsertObjectAfter,     void(ObjectHandle /*newObject*/, ObjectHandle /*afterObject*/),                     \
       "puts a newly made object into the drawing directly after another")                                            \
    X(112, GetParentObject,       ObjectHandle(ObjectHandle /*object*/),                                              \
       "the object that contains this one [absent: null]")                                                            \
    X(151, MoveObject,            void(ObjectHandle /*object*/, ks::iface::ByAddress<double> /*dx*/,                  \
                                       ks::iface::ByAddress<double> /*dy*/),                                          \
       "moves an object in the plan by exactly (dx, dy) [by-address]")                                                \
    X(152, MoveObject3D,          void(ObjectHandle /*object*/, ks::iface::ByAddress<double> /*dx*/,                  \
                                       ks::iface::ByAddress<double> /*dy*/, ks::iface::ByAddress<double> /*dz*/),     \
       "moves an object in space by exactly (dx, dy, dz) [by-address]")                                               \
    X(157, DuplicateObject,       ObjectHandle(ObjectHandle /*source*/),                                              \
       "a new object equal to the source at the same place, to be inserted; null when none [absent: null]")          \
    X(164, UndoRecordNewObject,   Boolean(ObjectHandle /*object*/),                                                   \
       "records in the open undo step that the object was created [absent: false]")                                   \
    X(170, GetSelectionBounds,    void(Rect2D* /*bounds*/, int16_t /*option*/),                                       \
       "the plan bounding rectangle of the selected objects [out]")                                                   \
    X(180, GetLayerViewKind,      int16_t(ObjectHandle /*layer*/),                                                    \
       "the kind of view in which the layer is shown [absent: -1]")                                                   \
    X(186, GetSelectionCube,      int32_t(Cube3D* /*bounds*/),                                                        \
       "the spatial bounding box of the selected objects [out] [absent: 0]")                                          \
    X(197, GetModifierKeys,       void(Boolean* /*first*/, Boolean* /*second*/, Boolean* /*third*/),                  \
       "the three modifier keys, 1 while held [out]")                                                                 \
    X(203, GetCurrentContainer,   ObjectHandle(),                                                                     \
       "the container object the user works in [absent: null]")                                                      \
    X(206, ToolCompletionAllowed, int32_t(),                                                                          \
       "nonzero when the tool's action may be carried out now [absent: 0]")                                           \
    X(209, ClearDataBar,          void(),                                                                             \
       "removes every field of the tool's data bar")                                                                  \
    X(210, SetDataField,          void(int16_t /*field*/, int32_t /*kind*/, const unsigned char* /*label*/),          \
       "defines data-bar field `field` (1-based): the host's field kind and a Pascal label")                          \
    X(211, SetDataFieldValue,     void(int16_t /*field*/, double /*value*/, int16_t /*option*/),                      \
       "shows a number in a data-bar field")                                                                          \
    X(214, SetDataFieldLength,    void(int16_t /*field*/, ks::iface::ByAddress<double> /*value*/),                    \
       "shows a length in a data-bar field [by-address]")                                                             \
    X(216, RefreshDataBar,        void(Boolean /*flag*/),                                                             \
       "shows the data-bar fields and values set since the last refresh")                                             \
    X(280, GetHostVersion,        void(int16_t* /*hostCode*/, uint8_t* /*major*/, uint8_t* /*minor*/,                 \
                                       uint8_t* /*maintenance*/, void*, void*),                                       \
       "the running host's code and version [out]; the last two pointers are null")                                   \
    X(290, GetHostVariable,       Boolean(int16_t /*variable*/, void* /*value*/),                                     \
       "copies a numbered host setting into value [out] [absent: false]")                                             \
    X(291, SetHostVariable,       Boolean(int16_t /*variable*/, const void* /*value*/),                               \
       "sets a numbered host setting from value [absent: false]")                                                     \
    X(326, Kludge,                Boolean(int16_t /*code*/, void* /*input*/, void* /*output*/),                       \
       "numbered miscellaneous service (interface/KSKludgeRecords.h); output [out] may be null; true when "           \
       "carried out [absent: false]")                                                                                 \
    X(375, AllocHandle,           Handle(int32_t /*size*/),                                                           \
       "a relocatable block of size bytes, valid until FreeHandle [absent: null]")                                    \
    X(376, FreeHandle,            void(Handle /*h*/),                                                                 \
       "frees a block that AllocHandle gave")                                                                         \
    X(387, GetIndexedString,      void(int16_t /*listId*/, int16_t /*index*/, unsigned char* /*text*/,                \
                                       Boolean /*option*/),                                                           \
       "text `index` (1-based) of a numbered string list, as a Pascal string in a 256-byte buffer [out]")             \
    X(459, NameUndoStep,          void(const unsigned char* /*name*/),                                                \
       "names the open undo step as the user sees it (Pascal string)")                                                \
    X(566, UndoRecordMove,        Boolean(ObjectHandle /*object*/, ks::iface::ByAddress<double> /*dx*/,               \
                                          ks::iface::ByAddress<double> /*dy*/),                                       \
       "records in the open undo step that the object is about to move by (dx, dy) [by-address] [absent: false]")     \
    X(567, UndoRecordMove3D,      Boolean(ObjectHandle /*object*/, ks::iface::ByAddress<double> /*dx*/,               \
                                          ks::iface::ByAddress<double> /*dy*/, ks::iface::ByAddress<double> /*dz*/),  \
       "records that the object is about to move by (dx, dy, dz) [by-address] [absent: false]")                       \
    X(579, CreateDialog,          int32_t(const unsigned char* /*title*/, Boolean /*flag*/,                           \
                                          const unsigned char* /*defaultText*/, const unsigned char* /*cancelText*/), \
       "a modal layout dialog with a default (item 1) and a cancel button (item 2); its id [absent: 0]")              \
    X(587, AddStaticText,         void(int32_t /*dialog*/, int32_t /*item*/, const unsigned char* /*text*/,           \
                                       int16_t /*widthInCharacters*/),                                                \
       "adds a static text item to a dialog")                                                                         \
    X(588, SetItemHelpText,       void(int32_t /*dialog*/, int32_t /*item*/, const unsigned char* /*text*/),          \
       "attaches a help text to a dialog item")                                                                       \
    X(589, VerifyDialogLayout,    Boolean(int32_t /*dialog*/),                                                        \
       "whether the laid-out dialog can be shown [absent: false]")                                                    \
    X(590, SetFirstLayoutItem,    Boolean(int32_t /*dialog*/, int32_t /*item*/),                                      \
       "places the first item of the dialog's layout [absent: false]")                                                \
    X(592, PlaceItemRightOf,      Boolean(int32_t /*dialog*/, int32_t /*anchorItem*/, int32_t /*item*/,               \
                                          int16_t /*xOffset*/, int16_t /*yOffset*/),                                  \
       "places an item to the right of another [absent: false]")                                                      \
    X(620, RunDialog,             int32_t(int32_t /*dialog*/, DialogHandler /*handler*/, void* /*userData*/),         \
       "runs the dialog modally, calling handler for the set-up event and each item event; the item that closed "     \
       "it [absent: 0]")                                                                                              \
    X(621, GetToolPointCount,     int32_t(),                                                                          \
       "points the user has picked so far in this tool action, 0 before the first [absent: -1]")                      \
    X(622, GetToolPoint,          Boolean(int32_t /*index*/, Point2D* /*point*/),                                     \
       "plan position of picked point `index` (0: the first) [out] [absent: false]")                                  \
    X(623, GetCurrentToolPoint,   Boolean(Point2D* /*point*/),                                                        \
       "the tool's current plan position [out] [absent: false]")                                                      \
    X(626, GetToolPoint3D,        Boolean(int32_t /*index*/, Point3D* /*point*/),                                     \
       "spatial position of picked point `index` [out] [absent: false]")                                              \
    X(631, GetCurrentToolPoint3D, Boolean(Point3D* /*point*/),                                                        \
       "the tool's current spatial position [out] [absent: false]")                                                   \
    X(644, ToolBehaviorOneClick,  int32_t(),                                                                          \
       "the reply to event 105 of a tool that completes on its first click [absent: -1]")                             \
    X(645, ToolBehaviorTwoPoint,  int32_t(),                                                                          \
       "the reply to event 105 of a tool that completes after two points [absent: -1]")                               \
    X(649, ToolBehaviorMultiPoint, int32_t(),                                                                         \
       "the reply to event 105 of a tool that collects a series of points [absent: -1]")                              \
    X(702, AddIntegerField,       void(int32_t /*dialog*/, int32_t /*item*/, int32_t /*initialValue*/,                \
                                       int16_t /*widthInCharacters*/),                                                \
       "adds an edit item for a whole number to a dialog")                                                            \
    X(704, GetDialogItemLong,     Boolean(int32_t /*dialog*/, int32_t /*item*/, int32_t* /*value*/),                  \
       "the whole number typed in an edit item [out] [absent: false]")                                                \
    X(706, SetDialogItemLong,     void(int32_t /*dialog*/, int32_t /*item*/, int32_t /*value*/),                      \
       "sets the whole number shown in an edit item")                                                                 \
    X(875, DrawFeedbackLine3D,    void(const Point3D* /*from*/, const Point3D* /*to*/),                               \
       "draws a spatial line as feedback, self-erasing like the plan line")                                           \
    X(969, EqualStrings,          Boolean(const char* /*first*/, const char* /*second*/, int16_t /*mode*/),           \
       "whether two C strings are equal under the host's rules for the mode [absent: false]")                         \
    X(970, CompareStrings,        int16_t(const char* /*first*/, const char* /*second*/, int16_t /*mode*/),           \
       "order of the first C string relative to the second under the host's rules for the mode [absent: 0]")
// clang-format on
