#pragma once
#include <cstdint>

#include "base/LinkList.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinHotKeys.h"
#include "skin/SkinVariables.h"

class CSkinItem;
class ISkinFailureReport;
class ISkinSurface;
class ISkinWindow;

// Notification codes, sent to the skin's window as (message, item ID, code).
enum SkinEvent : uint32_t {
    SKIN_OVER = 1,   // the pointer is over the item, no button held
    SKIN_LDOWN = 2,  // the left button is held over the item
    SKIN_RDOWN = 3,  // the right button is held over the item
    SKIN_LEAVE = 4,  // the pointer went elsewhere, or the window lost the capture
    SKIN_CLICK = 5,  // released over the item after a left press; also a bound key released
};

// The skin of one window: the items, variables and hot keys read from
// sections of a skin script, and the window behaviour that paints the items,
// follows the mouse over them and turns clicks and keys into notifications.
class CSkin : public CLinkNode {
public:
    CSkin() = default;
    ~CSkin() override;

    // The window procedure of an attached skin: paint, erase, mouse, key-up
    // hot keys (F10 arrives as a system key), capture loss and system
    // commands; everything is then passed on to the window's previous
    // procedure except WM_ERASEBKGND.
    virtual intptr_t WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Takes over the window; notifications go to it as message. False for no
    // window, or when this skin is attached already.
    virtual bool Attach(ISkinWindow* window, uint32_t message);
    // Reads the section (its bracketed name, e.g. "[HistoryDialog]") of the
    // script file into this skin, adding to what is there. False when the
    // file can't be opened, the input ends inside SET or SECTION, or the
    // script fails (reported through the failure report first).
    virtual bool LoadSection(const char* file, const char* section);
    // Gives the window back its plain outline, frees the buffer, deletes every
    // item and variable, and leaves the list of attached skins.
    virtual void Detach();

    void SetVariable(const char* name, const char* value) { m_variables.Set(name, value); }
    // The value, or null when the variable isn't set.
    const char* GetVariable(const char* name) const { return m_variables.Get(name); }
    // The item declared last with this ID, or null.
    CSkinItem* FindItem(uint32_t id) const;

    // The attached skin of the window with this handle, or null.
    static CSkin* FindAttached(const void* windowHandle);
    // Where script failures are reported (process-wide); null reports nothing.
    static void SetFailureReport(ISkinFailureReport* report);

    // For the items of this skin.
    ISkinWindow* Window() const { return m_window; }
    // The window's buffer, or a surface that draws nothing while there is none.
    ISkinSurface& BufferSurface() const;
    int32_t ClientWidth() const { return m_client.right; }
    int32_t ClientHeight() const { return m_client.bottom; }
    // Sends a notification for an item; items with ID 0 send none.
    void Notify(uint32_t id, SkinEvent event) const;
    void Invalidate(const SkinRect* rect, bool erase) const;
    // Lets the user drag the whole window: releases the capture and sends
    // WM_NCLBUTTONDOWN with HTCAPTION.
    void DragWindow() const;

    // For the script reader.
    void AddItem(CSkinItem* item);
    CSkinHotKeys& HotKeys() { return m_hotKeys; }
    const CSkinHotKeys& HotKeys() const { return m_hotKeys; }
    const CLinkList& Items() const { return m_items; }

    // Nested sections deeper than this, or more sections than kMaxLoads read
    // by one outermost LoadSection, fail the SECTION statement that asks for
    // them: a section that includes itself can't recurse without end.
    static constexpr int kMaxDepth = 16;
    static constexpr int kMaxLoads = 1024;

private:
    friend class CSkinScript;

    bool CanInclude() const { return m_loadDepth < kMaxDepth && m_loadsLeft > 0; }
    static void ReportFailure(const char* message);

    void Paint();
    void BuildBuffer();
    void MouseStep(uint32_t keys, int32_t x, int32_t y);
    void KeyUp(uint32_t key);
    void CaptureChanged(const void* newOwner);
    CSkinItem* HitItem(int32_t x, int32_t y) const;
    void Leave(CSkinItem* item);

    CLinkList m_items;  // front: the item declared last
    CSkinVariables m_variables;
    CSkinHotKeys m_hotKeys;
    ISkinWindow* m_window = nullptr;
    uint32_t m_message = 0;
    SkinRect m_client;
    CSkinItem* m_current = nullptr;  // never cleared once set
    int m_loadDepth = 0;             // nested LoadSection calls under way
    int m_loadsLeft = 0;             // sections one outermost load may still read
};
