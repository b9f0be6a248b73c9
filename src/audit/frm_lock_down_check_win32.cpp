#include "audit/frm_lock_down_check_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "audit/lock_down_report.h"
#include "language/form_captions_win32.h"
#include "language/messages.h"

namespace vallora {

namespace {

// Client area layout, pixels.
constexpr int kClientWidth = 980;
constexpr int kClientHeight = 690;
constexpr int kDetailsHeight = 64;
constexpr int kHeaderHeight = 48;
constexpr int kGap = 10;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kWhatWidth = 470;
constexpr int kStateWidth = 120;
constexpr COLORREF kOpenColour = RGB(192, 0, 0);
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;

void AddColumn(HWND list, int index, const std::string& caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    std::string text = caption;
    column.pszText = text.data();
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

}  // namespace

frmLockDownCheck::frmLockDownCheck(const Language& language)
    : Form("frmLockDownCheck"), language_(language) {}

bool frmLockDownCheck::Load(HWND owner, const std::vector<CheckRow>& rows,
                            const std::string& savedAs) {
    if (Hwnd()) Destroy();
    FormWindowSpec params;
    params.className = "ValloraLockDownCheck";
    params.caption = "Vallora Lock-down Check";
    params.style = kStyle;
    params.exStyle = kExStyle;
    // Over the work area: the owner is the bar, at the bottom of the screen.
    CenterDialog(params, kClientWidth, kClientHeight);
    params.owner = owner;
    params.dialogKeys = true;
    if (!Create(params)) return false;
    const int listTop = kHeaderHeight + kGap;
    const int bottomRow = kClientHeight - kGap - kButtonHeight;
    const int detailsTop = bottomRow - kGap - kDetailsHeight;
    AddControl({.name = "lvwReport",
                .kind = ControlKind::ListView,
                .x = kGap,
                .y = listTop,
                .width = kClientWidth - 2 * kGap,
                .height = detailsTop - kGap / 2 - listTop,
                .style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                .exStyle = WS_EX_CLIENTEDGE});
    AddControl({.name = "txtDetails",
                .kind = ControlKind::TextBox,
                .x = kGap,
                .y = detailsTop,
                .width = kClientWidth - 2 * kGap,
                .height = kDetailsHeight,
                .style = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                .exStyle = WS_EX_CLIENTEDGE});
    AddControl({.name = "lblSaved",
                .kind = ControlKind::Label,
                .x = kGap,
                .y = bottomRow + 5,
                .width = kClientWidth - 3 * kGap - kButtonWidth,
                .height = 16,
                .caption = savedAs.empty()
                               ? std::string()
                               : FillPlaceholder(language_.Message(kMsgCheckSaved), savedAs)});
    AddControl({.name = "cmdOK",
                .kind = ControlKind::Button,
                .x = kClientWidth - kGap - kButtonWidth,
                .y = bottomRow,
                .width = kButtonWidth,
                .height = kButtonHeight,
                .caption = "&OK",
                .style = BS_DEFPUSHBUTTON});
    AddLogoHeader(*this, kClientWidth, kHeaderHeight,
                  "Which ways out of the kiosk are closed, and which are open");
    FormCaptions captions(*this);
    language_.ApplyCaptions(captions);
    rows_ = rows;
    FillList();
    const auto open = std::find_if(rows_.begin(), rows_.end(), [](const CheckRow& row) {
        return row.state == CheckState::Open;
    });
    if (!rows_.empty()) {
        const int first = open == rows_.end() ? 0 : static_cast<int>(open - rows_.begin());
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(ControlHwnd("lvwReport"), LVM_SETITEMSTATE, first,
                     reinterpret_cast<LPARAM>(&item));
        SendMessageA(ControlHwnd("lvwReport"), LVM_ENSUREVISIBLE, first, FALSE);
        ShowDetails(first);
    }
    return true;
}

void frmLockDownCheck::FillList() {
    HWND list = ControlHwnd("lvwReport");
    if (!list) return;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
    RECT area{};
    GetClientRect(list, &area);
    const int fixWidth = std::max(100, static_cast<int>(area.right - area.left) - kWhatWidth -
                                           kStateWidth - GetSystemMetrics(SM_CXVSCROLL));
    AddColumn(list, 0, language_.Message(kMsgCheckColumnWhat), kWhatWidth);
    AddColumn(list, 1, language_.Message(kMsgCheckColumnState), kStateWidth);
    AddColumn(list, 2, language_.Message(kMsgCheckColumnFix), fixWidth);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const CheckRow& row = rows_[i];
        const int index = static_cast<int>(i);
        std::string what = row.what;
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = what.data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        std::string state = StateText(row, language_);
        std::string remedy = row.remedy;
        for (auto [column, text] : {std::pair<int, std::string*>{1, &state}, {2, &remedy}}) {
            LVITEMA cell{};
            cell.iSubItem = column;
            cell.pszText = text->data();
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&cell));
        }
    }
}

void frmLockDownCheck::ShowDetails(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    const CheckRow& shown = rows_[static_cast<std::size_t>(row)];
    std::string text = shown.what + "\r\n" + StateText(shown, language_);
    if (!shown.remedy.empty()) text += "\r\n" + shown.remedy;
    SetText("txtDetails", text);
}

void frmLockDownCheck::Show(HWND owner) {
    if (!Hwnd()) return;
    ShowModal(owner);
    Destroy();
}

void frmLockDownCheck::Close() {
    // A modal window goes once its loop has returned, not inside its own message.
    if (IsModal()) {
        EndModal(IDOK);
    } else {
        Destroy();
    }
}

int frmLockDownCheck::RowCount() const {
    return static_cast<int>(SendMessageA(ControlHwnd("lvwReport"), LVM_GETITEMCOUNT, 0, 0));
}

std::string frmLockDownCheck::Cell(int row, int column) const {
    char text[1024] = {};
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = sizeof(text);
    SendMessageA(ControlHwnd("lvwReport"), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    return text;
}

LRESULT frmLockDownCheck::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            if (row < rows_.size() && rows_[row].state == CheckState::Open) {
                draw.clrText = kOpenColour;
            }
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

LRESULT frmLockDownCheck::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == ControlHwnd("lvwReport") && header->code == NM_CUSTOMDRAW) {
                return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            }
            if (header->hwndFrom == ControlHwnd("lvwReport") && header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if ((change->uNewState & LVIS_SELECTED) != 0) ShowDetails(change->iItem);
                return 0;
            }
            return Form::HandleMessage(msg, wParam, lParam);
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == CommandId("cmdOK") || LOWORD(wParam) == IDOK ||
                LOWORD(wParam) == IDCANCEL) {
                Close();
            }
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace vallora
