#include "grid/ReportDialogLayouts.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

constexpr DWORD kDlgStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kPush = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// Parameter table: the report list over the whole dialog (its columns and its scroll bar), Print
// and Export Excel below it.
const res::DialogItemSpec kDataViewItems[] = {
    {1367, "ListView", 10, 10, 870, 470, WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LVS_REPORT, 0, "",
     ""},
    {1366, "Button", 640, 492, 100, 28, kPush, 0, "Print", "打印"},
    {1369, "Button", 760, 492, 120, 28, kPush, 0, "Export Excel", "导出Excel"},
};

const res::DialogSpec kDialogs[] = {
    {102, 890, 530, kDlgStyle, 0, "Report", "参数值显示", "Arial", -12, kDataViewItems},
};

} // namespace

void RegisterReportDialogLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        return true;
    }();
    (void)registered;
}
