// Which host functions the substitute host serves: selector and service.
#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail {

template <int32_t Selector, auto Service>
void Serve(std::array<void*, kSelectorCount>& functions) {
    functions[Selector] = HostFunction<Selector, Service>();
}

void RegisterServices(std::array<void*, kSelectorCount>& f) {
    using namespace services;
    Serve<7, &SetObjectSelected>(f);
    Serve<30, &HasSelection>(f);
    Serve<34, &ForEachObject>(f);
    Serve<35, &AddModeButton>(f);
    Serve<37, &AddModeRadioGroup>(f);
    Serve<39, &EnableModeGroup>(f);
    Serve<42, &DrawFeedbackLine>(f);
    Serve<44, &DrawFeedbackRect>(f);
    Serve<60, &GetObjectKind>(f);
    Serve<61, &SetMessageText>(f);
    Serve<73, &BeginUndoStep>(f);
    Serve<110, &InsertObjectAfter>(f);
    Serve<112, &GetParentObject>(f);
    Serve<151, &MoveObject>(f);
    Serve<152, &MoveObject3D>(f);
    Serve<157, &DuplicateObject>(f);
    Serve<164, &UndoRecordNewObject>(f);
    Serve<170, &GetSelectionBounds>(f);
    Serve<180, &GetLayerViewKind>(f);
    Serve<186, &GetSelectionCube>(f);
    Serve<197, &GetModifierKeys>(f);
    Serve<203, &GetCurrentContainer>(f);
    Serve<206, &ToolCompletionAllowed>(f);
    Serve<209, &ClearDataBar>(f);
    Serve<210, &SetDataField>(f);
    Serve<211, &SetDataFieldValue>(f);
    Serve<214, &SetDataFieldLength>(f);
    Serve<216, &RefreshDataBar>(f);
    Serve<280, &GetHostVersion>(f);
    Serve<290, &GetHostVariable>(f);
    Serve<291, &SetHostVariable>(f);
    Serve<326, &Kludge>(f);
    Serve<375, &AllocHandle>(f);
    Serve<376, &FreeHandle>(f);
    Serve<387, &GetIndexedString>(f);
    Serve<459, &NameUndoStep>(f);
    Serve<566, &UndoRecordMove>(f);
    Serve<567, &UndoRecordMove3D>(f);
    Serve<579, &CreateDialog>(f);
    Serve<587, &AddStaticText>(f);
    Serve<588, &SetItemHelpText>(f);
    Serve<589, &VerifyDialogLayout>(f);
    Serve<590, &SetFirstLayoutItem>(f);
    Serve<592, &PlaceItemRightOf>(f);
    Serve<620, &RunDialog>(f);
    Serve<621, &GetToolPointCount>(f);
    Serve<622, &GetToolPoint>(f);
    Serve<623, &GetCurrentToolPoint>(f);
    Serve<626, &GetToolPoint3D>(f);
    Serve<631, &GetCurrentToolPoint3D>(f);
    Serve<644, &ToolBehaviorOneClick>(f);
    Serve<645, &ToolBehaviorTwoPoint>(f);
    Serve<649, &ToolBehaviorMultiPoint>(f);
    Serve<702, &AddIntegerField>(f);
    Serve<704, &GetDialogItemLong>(f);
    Serve<706, &SetDialogItemLong>(f);
    Serve<875, &DrawFeedbackLine3D>(f);
    Serve<969, &EqualStrings>(f);
    Serve<970, &CompareStrings>(f);
}

}  // namespace host::detail
