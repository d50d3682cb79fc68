// The host services behind the host functions, one small function each.
// Every service takes the serving host first, then the host function's own
// arguments; src/ServiceTable.cpp turns them into host functions.
#pragma once

#include <array>
#include <string>

#include "host/Host.h"

namespace host::detail {

void RegisterServices(std::array<void*, kSelectorCount>& functions);

std::string FromPascal(const unsigned char* pascal);
// Writes at most 255 characters and the length byte into a 256-byte buffer.
void ToPascal(const std::string& text, unsigned char* buffer);

namespace services {

// Memory.
Handle AllocHandle(Host& host, int32_t size);
void FreeHandle(Host& host, Handle handle);

// Host facts and settings.
void GetHostVersion(Host& host, int16_t* code, uint8_t* major, uint8_t* minor, uint8_t* maintenance, void*, void*);
Boolean GetHostVariable(Host& host, int16_t variable, void* value);
Boolean SetHostVariable(Host& host, int16_t variable, const void* value);
void GetIndexedString(Host& host, int16_t list, int16_t index, unsigned char* text, Boolean option);
// The codes it serves are listed in src/KludgeServices.cpp.
Boolean Kludge(Host& host, int16_t code, void* input, void* output);
// Comparison modes: host/CharacterSets.h.
Boolean EqualStrings(Host& host, const char* first, const char* second, int16_t mode);
int16_t CompareStrings(Host& host, const char* first, const char* second, int16_t mode);

// Mode bar, message line, data bar.
void AddModeButton(Host& host, int16_t resource);
void AddModeRadioGroup(Host& host, int16_t initialChoice, int16_t choiceCount, int16_t r1, int16_t r2, int16_t r3,
                       int16_t r4, int16_t r5, int16_t r6);
void EnableModeGroup(Host& host, int16_t group, Boolean enabled);
void SetMessageText(Host& host, const unsigned char* text);
void ClearDataBar(Host& host);
void SetDataField(Host& host, int16_t field, int32_t kind, const unsigned char* label);
void SetDataFieldValue(Host& host, int16_t field, double value, int16_t option);
void SetDataFieldLength(Host& host, int16_t field, const double* value);
void RefreshDataBar(Host& host, Boolean flag);

// Keys, tool points and the tool's action.
void GetModifierKeys(Host& host, Boolean* first, Boolean* second, Boolean* third);
int32_t GetToolPointCount(Host& host);
Boolean GetToolPoint(Host& host, int32_t index, Point2D* point);
Boolean GetCurrentToolPoint(Host& host, Point2D* point);
Boolean GetToolPoint3D(Host& host, int32_t index, Point3D* point);
Boolean GetCurrentToolPoint3D(Host& host, Point3D* point);
int32_t ToolBehaviorOneClick(Host& host);
int32_t ToolBehaviorTwoPoint(Host& host);
int32_t ToolBehaviorMultiPoint(Host& host);
int32_t ToolCompletionAllowed(Host& host);

// The drawing.
int32_t HasSelection(Host& host);
ObjectHandle GetCurrentContainer(Host& host);
int16_t GetObjectKind(Host& host, ObjectHandle object);
ObjectHandle GetParentObject(Host& host, ObjectHandle object);
int16_t GetLayerViewKind(Host& host, ObjectHandle layer);
void GetSelectionBounds(Host& host, Rect2D* bounds, int16_t option);
int32_t GetSelectionCube(Host& host, Cube3D* bounds);

// Objects, undo and feedback.
void SetObjectSelected(Host& host, ObjectHandle object, Boolean selected);
void ForEachObject(Host& host, int16_t which, ObjectVisitor visit, void* env, CallbackBlock* block);
ObjectHandle DuplicateObject(Host& host, ObjectHandle source);
void InsertObjectAfter(Host& host, ObjectHandle object, ObjectHandle after);
void MoveObject(Host& host, ObjectHandle object, const double* dx, const double* dy);
void MoveObject3D(Host& host, ObjectHandle object, const double* dx, const double* dy, const double* dz);
void BeginUndoStep(Host& host, int16_t kind);
void NameUndoStep(Host& host, const unsigned char* name);
Boolean UndoRecordMove(Host& host, ObjectHandle object, const double* dx, const double* dy);
Boolean UndoRecordMove3D(Host& host, ObjectHandle object, const double* dx, const double* dy, const double* dz);
Boolean UndoRecordNewObject(Host& host, ObjectHandle object);
void DrawFeedbackLine(Host& host, const Point2D* from, const Point2D* to);
void DrawFeedbackRect(Host& host, const Rect2D* rect);
void DrawFeedbackLine3D(Host& host, const Point3D* from, const Point3D* to);

// Dialogs.
int32_t CreateDialog(Host& host, const unsigned char* title, Boolean flag, const unsigned char* defaultText,
                     const unsigned char* cancelText);
void AddStaticText(Host& host, int32_t dialog, int32_t item, const unsigned char* text, int16_t width);
void AddIntegerField(Host& host, int32_t dialog, int32_t item, int32_t value, int16_t width);
void SetItemHelpText(Host& host, int32_t dialog, int32_t item, const unsigned char* text);
Boolean SetFirstLayoutItem(Host& host, int32_t dialog, int32_t item);
Boolean PlaceItemRightOf(Host& host, int32_t dialog, int32_t anchor, int32_t item, int16_t dx, int16_t dy);
Boolean VerifyDialogLayout(Host& host, int32_t dialog);
int32_t RunDialog(Host& host, int32_t dialog, DialogHandler handler, void* userData);
Boolean GetDialogItemLong(Host& host, int32_t dialog, int32_t item, int32_t* value);
void SetDialogItemLong(Host& host, int32_t dialog, int32_t item, int32_t value);

}  // namespace services
}  // namespace host::detail
