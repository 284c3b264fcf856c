#include "sweep/page/DlgOptionsChoose.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "framework/Strings.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "rules/RuleNodes.h"
#include "state/ItemSets.h"
#include "state/RuleItemSets.h"
#include "sweep/page/CheckClicks.h"
#include "sweep/page/TreeChecks.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr int kMargin = 5;
constexpr int kBottomMargin = 50;
constexpr int kCheckSize = 13;
constexpr size_t kMaxRowText = 255;

RECT PlaceInParent(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Moves every child from a layout made for `dpi` to the same layout at 96 DPI.
void UnscaleChildren(HWND parent, Dpi dpi) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT rc = PlaceInParent(child);
        const RECT at96{dpi.Unscale(rc.left), dpi.Unscale(rc.top), dpi.Unscale(rc.right), dpi.Unscale(rc.bottom)};
        ::SetWindowPos(child, nullptr, at96.left, at96.top, at96.right - at96.left, at96.bottom - at96.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Each row's item data is the catalogue node it shows (the catalogue outlives the dialog).
const CMyObject* NodeOf(HWND tree, HTREEITEM row) {
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = row;
    return TreeView_GetItem(tree, &item) ? reinterpret_cast<const CMyObject*>(item.lParam) : nullptr;
}

template <typename Match>
HTREEITEM FindRow(HWND tree, HTREEITEM first, const Match& match) {
    for (HTREEITEM row = first; row; row = TreeView_GetNextSibling(tree, row)) {
        const CMyObject* node = NodeOf(tree, row);
        if (node && match(*node)) return row;
        if (HTREEITEM found = FindRow(tree, TreeView_GetChild(tree, row), match)) return found;
    }
    return nullptr;
}

bool NameIn(const std::vector<std::wstring>& names, const std::wstring& name) {
    for (const std::wstring& n : names)
        if (::CompareStringOrdinal(n.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}
}  // namespace

CDlgOptionsChoose::CDlgOptionsChoose(const Catalogue& catalogue, CIniFileRW settings)
    : CDialog(IDD_ONECLICK_CHOOSE), catalogue_(catalogue), settings_(std::move(settings)) {}

CDlgOptionsChoose::~CDlgOptionsChoose() {
    DestroyWindow();
}

BOOL CDlgOptionsChoose::OnInitDialog() {
    // The dialog manager laid the template out for the screen the dialog opened on; it shows at
    // its owner's DPI.
    dpi_ = DpiOfWindow(hwnd_);
    HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    if (!CreateTree()) return TRUE;
    RecordLayout();
    if (owner) TakeToDpi(DpiOfWindow(owner));

    std::unordered_map<const CMyObject*, HTREEITEM> rows;
    catalogue_.ForEach([&](const CMyObject* node) {
        auto parent = node->parent ? rows.find(node->parent) : rows.end();
        if (node->parent && parent == rows.end()) return;  // its parent has no row
        HTREEITEM row = InsertRow(node->parent ? parent->second : TVI_ROOT, *node);
        if (!row) return;
        rows[node] = row;
        if (!node->parent && categories_.size() < kMaxCategoryRows) categories_.push_back(row);
    });
    if (!categories_.empty()) TreeView_SelectItem(tree_, categories_.back());
    TickShownSet();
    return TRUE;
}

bool CDlgOptionsChoose::CreateTree() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    RECT client = ClientRect(hwnd_);
    const int margin = dpi_.Scale(kMargin);
    int width = std::max<int>(0, client.right - 2 * margin);
    int height = std::max<int>(0, client.bottom - margin - dpi_.Scale(kBottomMargin));
    tree_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                              margin, margin, width, height, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), AppInstance(), nullptr);
    if (!tree_) return false;
    // Added after creation, so the tree view prepares its check-box state images.
    ::SetWindowLongW(tree_, GWL_STYLE, ::GetWindowLongW(tree_, GWL_STYLE) | TVS_CHECKBOXES);
    ::SendMessageW(tree_, WM_SETFONT, ::SendMessageW(hwnd_, WM_GETFONT, 0, 0), FALSE);
    ::SetWindowPos(tree_, ::GetDlgItem(hwnd_, IDOK), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // A dialog shown again makes its tree again: the list of the last showing goes now.
    states_ = LoadSkinImageStrip(IDB_TREE_CHECKS, kCheckSize, kCheckSize, 4, RGB(255, 255, 255), dpi_);
    if (states_) UseStateImages(tree_, states_.Get());
    baseIndent_ = static_cast<int>(TreeView_GetIndent(tree_));
    checkClicks_.toggle = [this](HWND tree, HTREEITEM row) { return ToggleCheckWarned(tree, row, confirmWarning); };
    checkClicks_.Attach(tree_);
    return true;
}

void CDlgOptionsChoose::RecordLayout() {
    RECT client = ClientRect(hwnd_);
    client96_ = SIZE{dpi_.Unscale(client.right), dpi_.Unscale(client.bottom)};
    if (dpi_ == Dpi()) {
        layout_.Capture(hwnd_, dpi_);
        return;
    }
    // Recorded as the layout would stand at 96 DPI, then put back.
    UnscaleChildren(hwnd_, dpi_);
    layout_.Capture(hwnd_, dpi_);
    layout_.Apply(hwnd_, dpi_);
}

void CDlgOptionsChoose::TakeToDpi(Dpi dpi) {
    if (dpi == dpi_) return;
    RECT client = ClientRect(hwnd_);
    layout_.Apply(hwnd_, dpi);
    dpi_ = dpi;
    // The frame keeps its own size; the client area takes the new one around the same centre.
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    const int growX = dpi.Scale(client96_.cx) - client.right;
    const int growY = dpi.Scale(client96_.cy) - client.bottom;
    ::SetWindowPos(hwnd_, nullptr, window.left - growX / 2, window.top - growY / 2,
                   window.right - window.left + growX, window.bottom - window.top + growY,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (tree_) {
        TreeView_SetIndent(tree_, dpi.Scale(baseIndent_));
        LoadCheckImages();
    }
}

void CDlgOptionsChoose::LoadCheckImages() {
    UniqueImageList states = LoadSkinImageStrip(IDB_TREE_CHECKS, kCheckSize, kCheckSize, 4, RGB(255, 255, 255), dpi_);
    if (!states) return;
    // Ours is replaced only once the tree view no longer uses it.
    TreeView_SetImageList(tree_, states.Get(), TVSIL_STATE);
    states_ = std::move(states);
}

bool CDlgOptionsChoose::OnDpiChanged(Dpi dpi, const RECT* suggested) {
    // Moved to a screen of another scale: laid out for it, at the place the system suggests.
    TakeToDpi(dpi);
    if (suggested)
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

HTREEITEM CDlgOptionsChoose::InsertRow(HTREEITEM parent, const CMyObject& node) {
    // The catalogue's rows read their names from the string table; the rule files' carry their own.
    std::wstring text = node.itemId ? LoadResourceString(node.itemId) : node.displayName;
    if (text.size() > kMaxRowText) text.resize(kMaxRowText);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    ins.item.pszText = text.data();
    ins.item.lParam = reinterpret_cast<LPARAM>(&node);
    ins.item.stateMask = TVIS_STATEIMAGEMASK;
    ins.item.state = INDEXTOSTATEIMAGEMASK(Unchecked);
    return TreeView_InsertItem(tree_, &ins);
}

// The one-click set, or the default set while the one-click set has never been written; the rule
// entries' names likewise by their own section. A saved set was agreed to when it was chosen: no
// warning is asked again.
void CDlgOptionsChoose::TickShownSet() {
    ItemSetContent oneClick = ReadItemSet(settings_, ItemSet::OneClick);
    const std::vector<int> ids = oneClick.count == -1 ? ReadItemSet(settings_, ItemSet::Default).ids : oneClick.ids;
    RuleItemSetContent rules = ReadRuleItemSet(settings_, ItemSet::OneClick);
    if (!rules.written) rules = ReadRuleItemSet(settings_, ItemSet::Default);
    for (HTREEITEM category : categories_) {
        for (HTREEITEM program = TreeView_GetChild(tree_, category); program;
             program = TreeView_GetNextSibling(tree_, program)) {
            for (HTREEITEM item = TreeView_GetChild(tree_, program); item; item = TreeView_GetNextSibling(tree_, item)) {
                const CMyObject* node = NodeOf(tree_, item);
                if (!node) continue;
                const rules::RuleEntry* entry = rules::RuleOf(*node);
                const bool shown = entry ? NameIn(rules.names, entry->name)
                                         : std::find(ids.begin(), ids.end(), static_cast<int>(node->itemId)) != ids.end();
                if (shown) SetCheck(tree_, item, Checked, true);
            }
        }
    }
}

void CDlgOptionsChoose::CollectTicked(std::vector<int>& ids, std::vector<std::wstring>& ruleNames) const {
    for (HTREEITEM category : categories_) {
        if (GetCheck(tree_, category) == Unchecked) continue;
        for (HTREEITEM program = TreeView_GetChild(tree_, category); program;
             program = TreeView_GetNextSibling(tree_, program)) {
            if (GetCheck(tree_, program) == Unchecked) continue;
            for (HTREEITEM item = TreeView_GetChild(tree_, program); item; item = TreeView_GetNextSibling(tree_, item)) {
                const CMyObject* node = GetCheck(tree_, item) == Checked ? NodeOf(tree_, item) : nullptr;
                if (!node) continue;
                if (const rules::RuleEntry* entry = rules::RuleOf(*node))
                    ruleNames.push_back(entry->name);
                else if (node->itemId != 0)
                    ids.push_back(static_cast<int>(node->itemId));
            }
        }
    }
}

void CDlgOptionsChoose::OnOK() {
    if (tree_) {
        std::vector<int> ids;
        std::vector<std::wstring> ruleNames;
        CollectTicked(ids, ruleNames);
        WriteItemSet(settings_, ItemSet::OneClick, ids);
        WriteRuleItemSet(settings_, ItemSet::OneClick, ruleNames);
    }
    EndDialog(IDOK);
}

bool CDlgOptionsChoose::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
    if (id != kSelectNoneId) return false;
    for (HTREEITEM category : categories_) SetCheck(tree_, category, Unchecked, true);
    return true;
}

void CDlgOptionsChoose::OnDestroy() {
    // Our state list is ours to free; the tree view must not free it with itself.
    if (tree_) TreeView_SetImageList(tree_, nullptr, TVSIL_STATE);
    tree_ = nullptr;
    // Its rows go with the tree: a later showing must not reach them through the new tree.
    categories_.clear();
}

HTREEITEM CDlgOptionsChoose::RowOf(UINT itemId) const {
    if (!tree_ || itemId == 0) return nullptr;
    return FindRow(tree_, TreeView_GetRoot(tree_), [itemId](const CMyObject& node) { return node.itemId == itemId; });
}

HTREEITEM CDlgOptionsChoose::RowOf(const CMyObject& node) const {
    if (!tree_) return nullptr;
    return FindRow(tree_, TreeView_GetRoot(tree_), [&node](const CMyObject& shown) { return &shown == &node; });
}

}  // namespace scw
