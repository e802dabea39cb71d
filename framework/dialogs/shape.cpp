#include "framework/dialogs/shape.h"

#include <commctrl.h>

#include "framework/core/display_text.h"
#include "framework/core/placement.h"
#include "framework/core/system_menu_extras.h"
#include "framework/dialogs/control_text.h"
#include "framework/dialogs/element_values.h"
#include "framework/dialogs/shape_list.h"
#include "framework/drawing/background.h"
#include "framework/drawing/display_scale.h"
#include "framework/drawing/icon_source.h"
#include "framework/settings/app_globals.h"
#include "framework/util/resource_names.h"
#include "framework/util/system_library.h"
#include "framework/util/system_sound.h"
#include "framework/util/wide_text.h"
#include "framework/util/window_class.h"

const char ShapeClassName[] = "ShapeClass";
const wchar_t WideShapeClassName[] = L"ShapeClass";
const char ShapePropertyName[] = "TShapeDlg";
const wchar_t WideShapePropertyName[] = L"TShapeDlg";

namespace {

// WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU
const DWORD kShapeStyle = 0x84C80000;
// The automatic status-bar identifier: below the element controls, which start at 5001.
const int kAutomaticStatusBarId = 5000;

BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font)
{
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

}  // namespace

TShape::TShape(HWND owner, const char* title) : Owner(owner), Root(12, 12, static_cast<TElement* const*>(nullptr))
{
    SetTitle(title);
    RegisterLiveShape(this);
}

TShape::TShape(HWND owner, const char* title, TElement* const* elements) : TShape(owner, title)
{
    SetElements(elements);
}

TShape::~TShape()
{
    UnregisterShape(this);
    // A window that outlives its object would call into freed memory: it is
    // unbound first, so that its last messages go to the default procedure.
    if (Hwnd && IsWindow(Hwnd) && FromWindow(Hwnd) == this) {
        RemovePropW(Hwnd, WideShapePropertyName);
        if (!hostedInDialog_ && BoundObject(Hwnd) == static_cast<TWindow*>(this))
            SetWindowLongPtrW(Hwnd, 0, 0);
        DestroyWindow(Hwnd);
    }
    ReleaseDialogIcons();
    DeleteSystemMenu();
    DeleteHelpMenu();
}

void TShape::SetTitle(const char* title)
{
    DisplayText(Title.Slot(), title ? title : "");
}

TShape* TShape::FromWindow(HWND window)
{
    return window ? static_cast<TShape*>(GetPropW(window, WideShapePropertyName)) : nullptr;
}

void TShape::PrepareCreate()
{
    // A Unicode class: a shape's title and its texts cross as UTF-16.
    WNDCLASSW windowClass = {};
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = TShape::PreWndProc;
    // Room for the object's pointer, where TWindow binds it.
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = AppGlobals.Instance;
    windowClass.hIcon = LoadIconW(AppGlobals.Instance, L"" APPLICATION_ICON_NAME);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WideShapeClassName;
    RegisterWindowClass(windowClass);
    // The dialog background is made when a shape first paints, not here: a
    // shape that is never shown needs none.
    ContextHelp = false;
    BeforeCreate();
    SoundPlaying = false;
    ShowListeners.clear();
    shownToListeners_ = false;
    Palette = nullptr;
    Accelerators.clear();
}

HWND TShape::CreateShapeWindow()
{
    // An owner that is no longer a window would make the creation fail.
    HWND owner = Owner && IsWindow(Owner) ? Owner : nullptr;
    // The creation parameter is the TWindow part, as PreWndProc binds it.
    return CreateWindowExW(WS_EX_LEFT, WideShapeClassName, WideText(Title.Get()).c_str(), kShapeStyle, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, MenuHandle, AppGlobals.Instance,
                           static_cast<TWindow*>(this));
}

bool TShape::Create()
{
    PrepareCreate();
    // A replaced CreateShapeWindow may make a window that is bound later.
    HWND created = CreateShapeWindow();
    if (!Hwnd)
        Hwnd = created;
    if (!Hwnd || !IsWindow(Hwnd))
        return false;
    InitShape();
    return Hwnd && IsWindow(Hwnd);
}

void TShape::InitShape()
{
    SetPropW(Hwnd, WideShapePropertyName, this);
    if (GetSystemMenu(Hwnd, FALSE)) {
        AddSystemMenuExtras(*this, Closable);
        AttachSystemMenu();
    }
    if (StatusBarId != 0) {
        if (StatusBarId == -1)
            StatusBarId = kAutomaticStatusBarId;
        // The common controls are loaded with the first status bar.
        typedef HWND(WINAPI * TCreateStatusWindow)(LONG style, LPCWSTR text, HWND parent, UINT id);
        const TCreateStatusWindow create =
            CommonControlFunction<TCreateStatusWindow>(ICC_BAR_CLASSES, "CreateStatusWindowW");
        StatusBar = create ? create(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, L"", Hwnd,
                                    static_cast<UINT>(StatusBarId))
                           : nullptr;
    } else {
        StatusBar = nullptr;
    }

    Captions.Clear();
    NextControlId = 5000;
    // The class has its own DC: the font stays selected for painting too.
    HDC dc = GetDC(Hwnd);
    Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(dc, Font);
    const SIZE size = Root.Measure(*this, dc);
    ReleaseDC(Hwnd, dc);
    AssignAccessKeys(Captions);

    const int marginX = ScaledLength(MarginX), marginY = ScaledLength(MarginY);
    const int width = size.cx + 2 * marginX;
    int height = size.cy + 2 * marginY;
    Root.CreateControls(*this, marginX, marginY);
    if (StatusBar)
        height += StatusBarHeight();
    SetClientSize(width, height);
    EnumChildWindows(Hwnd, SetFontOfChild, reinterpret_cast<LPARAM>(Font));

    if (ContextHelp) {
        SetWindowLongW(Hwnd, GWL_EXSTYLE, GetWindowLongW(Hwnd, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
        SetWindowPos(Hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        CreateHelpMenu();
        HelpTarget = nullptr;
    }

    OnInitShape();
    if (!IsWindow(Hwnd))
        return;
    if (GetDlgItem(Hwnd, IDHELP))
        Accelerators.push_back(TShapeAccelerator{FVIRTKEY, VK_F1, IDHELP});

    bool shown = false;
    if (!RestorePlacement()) {
        if (Owner && IsWindow(Owner) && IsWindowVisible(Owner))
            CentreWindow(*this);
        else
            MoveToMouse(*this);
    } else if (IsWindowVisible(Hwnd)) {
        if (ShowOnCreate)
            UpdateWindow(Hwnd);
        else
            ShowWindow(Hwnd, SW_HIDE);
        shown = true;
    }
    if (!shown && ShowOnCreate) {
        ShowWindow(Hwnd, SW_SHOWNORMAL);
        UpdateWindow(Hwnd);
    }
    RECT rect;
    GetWindowRect(Hwnd, &rect);
    InitSnap(Snap, rect);
}

int TShape::StatusBarHeight() const
{
    RECT rect;
    return StatusBar && GetWindowRect(StatusBar, &rect) ? rect.bottom - rect.top : 0;
}

int TShape::RunModal()
{
    // A shape that is open already keeps its one window (a second one would
    // be bound to the same object).
    if (Hwnd && IsWindow(Hwnd)) {
        SetForegroundWindow(Hwnd);
        return Result;
    }
    HWND focus = GetFocus();
    OwnerWasEnabled = false;
    HWND owner = Owner && IsWindow(Owner) ? Owner : nullptr;
    if (owner) {
        OwnerWasEnabled = IsWindowEnabled(owner) != FALSE;
        if (OwnerWasEnabled)
            EnableWindow(owner, FALSE);
    }
    NotifyCommand = 0;
    if (Create()) {
        // A shape that stays hidden (the indicator's monitor window, a
        // suppressed message) leaves the keyboard with the user's window.
        if (IsWindowVisible(Hwnd))
            SetForegroundWindow(Hwnd);
        MSG message;
        for (;;) {
            if (!Hwnd || !IsWindow(Hwnd))
                break;
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                // The program is quitting: the window goes now, and the loops
                // outside this one see the quit message too.
                DestroyWindow(Hwnd);
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (got == -1)
                break;
            if (GetActiveWindow() == Hwnd &&
                (PreTranslateShapeKey(Accelerators.data(), static_cast<int>(Accelerators.size()), *this, message) ||
                 IsDialogMessageW(Hwnd, &message) || PreTranslate(message)))
                continue;
            if (TranslateShapeMessage(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // However the window went, an owner this run disabled is usable again.
    if (owner && OwnerWasEnabled && IsWindow(owner) && !IsWindowEnabled(owner))
        EnableWindow(owner, TRUE);
    if (Hwnd && IsWindow(Hwnd))
        DestroyWindow(Hwnd);
    Hwnd = nullptr;
    const int result = CleanupShape();
    if (focus && IsWindow(focus))
        SetFocus(focus);
    return result;
}

int TShape::RunModal(TElement* const* elements)
{
    SetElements(elements);
    return RunModal();
}

int TShape::RunModal(const char* title, TElement* const* elements)
{
    SetTitle(title);
    SetElements(elements);
    return RunModal();
}

void TShape::ShowModeless(UINT notifyCommand)
{
    if (Hwnd && IsWindow(Hwnd)) {
        SetForegroundWindow(Hwnd);
        return;
    }
    NotifyCommand = notifyCommand;
    if (Create())
        RegisterModelessShape(this);
}

void TShape::EndShape(int result)
{
    Result = result;
    if (!Hwnd || !IsWindow(Hwnd))
        return;
    // A shape of its own class closes through WM_CLOSE, which destroys the
    // window and so ends a modal loop. The dialog manager's shapes end with
    // EndDialog. (Told apart by how the shape was started rather than by its
    // icon: an icon set on a shape window must not turn it into a dialog.)
    if (!hostedInDialog_) {
        PostMessageW(Hwnd, WM_CLOSE, 0, 0);
        return;
    }
    if (!CanClose())
        return;
    StopSounds();
    OnClosing();
    ReactivateOwner();
    EndDialog(Hwnd, Result);
}

void TShape::EndShapeOfControl(HWND control, int result)
{
    if (TShape* shape = FromWindow(GetParent(control)))
        shape->EndShape(result);
}

int TShape::CleanupShape()
{
    Accelerators.clear();
    if (shownToListeners_)
        TellShowListeners(false);
    Root.OnShapeClosed(*this);
    if (ContextHelp)
        DeleteHelpMenu();
    return Result;
}

void TShape::CloseAllShapes()
{
    std::vector<TShape*>& modelessShapes = ModelessShapes();
    while (!modelessShapes.empty()) {
        TShape* shape = modelessShapes.front();
        modelessShapes.erase(modelessShapes.begin());
        // A window still open would outlive the object that its creator is about to free.
        if (shape->Hwnd && IsWindow(shape->Hwnd))
            DestroyWindow(shape->Hwnd);
        shape->Hwnd = nullptr;
        shape->CleanupShape();
    }
    DeleteBackgrounds();
}

void TShape::ReleaseDialogIcons()
{
    // Kept by the shape, not taken back from the window: a dialog that ends
    // while it starts is destroyed before the posted WM_SETICON arrive.
    for (HICON& icon : dialogIcons_) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

void TShape::StopSounds()
{
    if (SoundPlaying)
        StopSystemSound();
}

void TShape::ReactivateOwner()
{
    if (!Owner || !IsWindow(Owner))
        return;
    if (NotifyCommand) {
        PostMessageW(Owner, WM_COMMAND, MAKEWPARAM(NotifyCommand, Result), reinterpret_cast<LPARAM>(Hwnd));
        return;
    }
    if (OwnerWasEnabled)
        EnableWindow(Owner, TRUE);
    if (IsWindowEnabled(Owner))
        SetActiveWindow(Owner);
}

void TShape::TellShowListeners(bool shown)
{
    shownToListeners_ = shown;
    // A listener may change the list (none does today): walk a copy.
    const std::vector<TElement*> listeners = ShowListeners;
    for (TElement* listener : listeners)
        listener->OnShow(*this, shown);
}

bool TShape::SavePlacement()
{
    if (SettingsName.Length() == 0 || !Hwnd)
        return false;
    return PlacementKey ? SavePlacementValue(*this, *PlacementKey, SettingsName.Get())
                        : SavePlacementDefault(*this, SettingsName.Get());
}

bool TShape::RestorePlacement()
{
    if (SettingsName.Length() == 0 || !Hwnd)
        return false;
    return PlacementKey ? RestorePlacementValue(*this, *PlacementKey, SettingsName.Get())
                        : RestorePlacementDefault(*this, SettingsName.Get());
}

LRESULT CALLBACK TShape::PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TWindow* bound = BoundObject(hwnd);
    if (!bound) {
        // Nothing is bound before WM_CREATE (WM_NCCREATE and the like come first).
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (message != WM_CREATE || !create || !create->lpCreateParams)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        bound = static_cast<TWindow*>(create->lpCreateParams);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(bound));
        bound->Hwnd = hwnd;
    }
    return static_cast<TShape*>(bound)->WndProc(message, wParam, lParam);
}

INT_PTR CALLBACK TShape::PreDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TShape* shape = FromWindow(hwnd);
    if (!shape) {
        if (message != WM_INITDIALOG || !lParam)
            return 0;
        shape = reinterpret_cast<TShape*>(lParam);
        shape->Hwnd = hwnd;
        shape->hostedInDialog_ = true;
        for (int big = 0; big <= 1; ++big) {
            const int side = IconSizeOfKind(big ? IconSizeLarge : IconSizeSmall);
            HICON icon = static_cast<HICON>(
                LoadImageW(AppGlobals.Instance, L"" APPLICATION_ICON_NAME, IMAGE_ICON, side, side, 0));
            shape->dialogIcons_[big] = icon;
            PostMessageW(hwnd, WM_SETICON, big, reinterpret_cast<LPARAM>(icon));
        }
        SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(kShapeStyle));
        SetControlText(hwnd, shape->Title.Get());
    }
    return shape->DlgProc(message, wParam, lParam);
}

LRESULT TShape::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result))
        return result;
    return DefaultProc(message, wParam, lParam);
}

LRESULT TShape::DlgProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        PrepareCreate();
        InitShape();
    }
    LRESULT result = 0;
    if (!HandleMessage(message, wParam, lParam, result))
        return 0;
    if (message == WM_CTLCOLORLISTBOX)
        return result;
    SetWindowLongPtrW(Hwnd, DWLP_MSGRESULT, result);
    return 1;
}

LRESULT TShape::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The class is a Unicode one: its messages carry UTF-16 texts.
    return DefWindowProcW(Hwnd, message, wParam, lParam);
}

bool TShape::PreTranslate(MSG&) { return false; }
void TShape::BeforeCreate() {}
void TShape::OnInitShape() {}
bool TShape::CanClose() { return true; }
void TShape::OnClosing() {}
bool TShape::OnNotify(WPARAM wParam, LPARAM lParam) { return Root.OnNotify(wParam, lParam); }
void TShape::OnElementChanged(TElement*) {}

void TShape::SaveTo(const TRegistryKeyChain& key)
{
    WithSubKey(key, Name, [this](const TRegistryKeyChain& chain) { Root.SaveTo(chain); });
}

void TShape::LoadFrom(const TRegistryKeyChain& key)
{
    WithSubKey(key, Name, [this](const TRegistryKeyChain& chain) { Root.LoadFrom(chain); });
}

void ShowAllShapes(bool show)
{
    const std::vector<TShape*> shapes = LiveShapes();
    for (TShape* shape : shapes) {
        if (shape->Hwnd && IsWindow(shape->Hwnd) && (!show || shape->ShowOnCreate))
            ShowWindow(shape->Hwnd, show ? SW_SHOW : SW_HIDE);
    }
}
