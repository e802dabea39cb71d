// TShape: the framework's dialog window, built from elements at run time.
//
// The caller constructs element objects, hands them to a shape, and runs it:
// the shape creates a popup window of the class "ShapeClass", measures its
// elements, sizes itself to fit them with 12-pixel margins, creates their
// controls, and then either runs a modal loop that returns a result or stays
// open as a modeless window. It carries the system-menu extras (placement,
// always on top, translucency), an optional status bar, an accelerator
// table, context help, and remembers its placement under its settings name.
//
//     TButtonRecord ok(1, "OK", ResourceIcon("OK_ICON"));
//     TButtonsElement buttons(DockBottom, &ok, nullptr);
//     TShape shape(owner, "Title");
//     const int result = shape.RunModal(&buttons, &content, nullptr);
//
// The elements stay the caller's: they must outlive the shape's window and
// are never freed by it. The window property "TShapeDlg" leads from a shape's
// window to its object.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/core/edge_snap.h"
#include "framework/core/shape_keys.h"
#include "framework/core/window.h"
#include "framework/dialogs/access_keys.h"
#include "framework/dialogs/group_element.h"
#include "framework/dialogs/persistent_object.h"
#include "framework/util/text.h"

class TIconSource;
class TOwnerDrawMenu;
class TRegistryKeyChain;

extern const char ShapeClassName[];     // "ShapeClass"
extern const char ShapePropertyName[];  // "TShapeDlg"
extern const wchar_t WideShapeClassName[];     // the same two names in UTF-16
extern const wchar_t WideShapePropertyName[];

// The status bar's one text, drawn by the shape like a menu item.
struct TStatusLine {
    bool StatusItemEnabled = true;
    TIconSource* StatusIcon = nullptr;
    TText StatusText;
};

class TShape : public TWindow, public TPersistentObject {
public:
    HWND Owner;
    TGroupElement Root;                  // gaps 12 and 12; its children are the shape's elements
    UINT NotifyCommand = 0;              // a modeless shape's command to its owner on closing
    bool OwnerWasEnabled = false;
    HFONT Font = nullptr;                // DEFAULT_GUI_FONT, taken at initialisation
    int StatusBarId = 0;                 // 0: no status bar; -1: an automatic identifier
    TStatusLine StatusLine;
    TText Title;                         // after DisplayText
    int Result = 0;
    TOwnerDrawMenu* SystemMenu = nullptr;
    HMENU MenuHandle = nullptr;          // passed to window creation
    TOwnerDrawMenu* HelpMenu = nullptr;  // the context-help popup, drawn with an icon
    HMENU HelpPopup = nullptr;
    HWND HelpTarget = nullptr;           // the control last right-clicked in context-help mode
    HWND StatusBar = nullptr;
    std::vector<TShapeAccelerator> Accelerators;
    HPALETTE Palette = nullptr;
    int MarginX = 12;                    // at 96 DPI, scaled for the display
    int MarginY = 12;
    bool Closable = true;
    bool ShowOnCreate = true;
    TCaptions Captions;                  // registered while measuring
    int NextControlId = 5000;            // the last automatic control identifier
    bool SoundPlaying = false;
    std::vector<TElement*> ShowListeners;
    bool ContextHelp = false;
    TSnapState Snap;
    const TRegistryKeyChain* PlacementKey = nullptr;  // null: "Serialize" under the application's key
    TText SettingsName;                  // empty: the placement is neither saved nor restored

    TShape(HWND owner, const char* title);
    TShape(HWND owner, const char* title, TElement* const* elements);
    template <class... E, class = EnableIfElements<E...>>
    TShape(HWND owner, const char* title, E... elements) : TShape(owner, title)
    {
        SetElements(elements...);
    }
    ~TShape() override;

    void SetTitle(const char* title);
    void SetElements(TElement* const* elements) { Root.SetChildren(elements); }
    template <class... E, class = EnableIfElements<E...>>
    void SetElements(E... elements)
    {
        Root.SetChildren(elements...);
    }
    // The next automatic control identifier (5001 first).
    int NextId() { return ++NextControlId; }
    // A shape's window tells which shape it is (null for any other window).
    static TShape* FromWindow(HWND window);

    // The modal run: creates the window, runs the loop until the window is
    // gone and returns Result. The other forms first set the title and/or
    // the elements.
    int RunModal();
    int RunModal(TElement* const* elements);
    int RunModal(const char* title, TElement* const* elements);
    template <class F, class... E, class = EnableIfElements<F, E...>>
    int RunModal(F first, E... rest)
    {
        SetElements(first, rest...);
        return RunModal();
    }
    template <class... E, class = EnableIfElements<E...>>
    int RunModal(const char* title, E... elements)
    {
        SetTitle(title);
        if (sizeof...(E) > 0)
            SetElements(elements...);
        return RunModal();
    }
    // Creates the window, registers the shape among the modeless ones and
    // returns at once; on closing the owner gets WM_COMMAND (notifyCommand,
    // Result) unless notifyCommand is 0.
    void ShowModeless(UINT notifyCommand);
    template <class F, class... E, class = EnableIfElements<F, E...>>
    void ShowModeless(UINT notifyCommand, F first, E... rest)
    {
        SetElements(first, rest...);
        ShowModeless(notifyCommand);
    }
    void EndShape(int result);
    static void EndShapeOfControl(HWND control, int result);
    // Presses the help button: the topic of the help file, with the asterisk
    // sound. The shape answers every help request of its elements.
    static void ShowHelpTopic(HWND window, int helpId);
    // The keyboard handling of the registered modeless shapes, for every
    // message loop; true when a shape took the message.
    static bool TranslateShapeMessage(MSG& message);
    // Ends every registered modeless shape and deletes the dialog and menu
    // backgrounds; for the application once its loop has ended.
    static void CloseAllShapes();
    // Forgets the window and lets the elements know; returns Result.
    int CleanupShape();
    bool SavePlacement();
    bool RestorePlacement();

    static LRESULT CALLBACK PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // For hosting a shape in a Windows dialog: the shape is the WM_INITDIALOG parameter.
    static INT_PTR CALLBACK PreDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The operations a shape may replace.
    virtual HWND CreateShapeWindow();
    virtual bool PreTranslate(MSG& message);
    virtual void BeforeCreate();
    virtual void OnInitShape();
    virtual bool CanClose();
    virtual void OnClosing();
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DlgProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSysCommand(UINT command, int x, int y);
    // 0 when handled, -1 when not.
    virtual int OnCommand(int id, HWND control, int code);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam);
    virtual void OnElementChanged(TElement* element);
    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;

protected:
    // Creation in three steps: PrepareCreate, CreateShapeWindow, InitShape.
    bool Create();
    void PrepareCreate();
    void InitShape();
    // The message handler shared by both window procedures: true with
    // `result` when the message was handled, false for default processing.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The owner-drawn system menu and context-help popup.
    void AttachSystemMenu();
    void CreateHelpMenu();
    void DeleteHelpMenu();
    void DeleteSystemMenu();
    bool OnMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void ReleaseDialogIcons();
    void ReactivateOwner();
    void StopSounds();
    void TellShowListeners(bool shown);
    void UpdateStatusLine(UINT item, UINT flags, HMENU menu);
    bool DrawStatusLine(const DRAWITEMSTRUCT& item);
    void PaintShape();
    int StatusBarHeight() const;

    bool hostedInDialog_ = false;    // run by the dialog manager (PreDlgProc)
    HICON dialogIcons_[2] = {};      // small and big, loaded by PreDlgProc
    bool shownToListeners_ = false;  // the listeners were last told "shown"
};

// Shows or hides every live shape whose window exists; shapes that are
// meant to stay hidden (ShowOnCreate 0) are not shown.
void ShowAllShapes(bool show);

// Posts WM_KILLFOCUS to every floating drop-down list ("FloatComboListClass"
// titled "DropDownList").
void CloseDropDownLists();
