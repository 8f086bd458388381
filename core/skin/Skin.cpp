#include "skin/Skin.h"

#include "skin/SkinFailureReport.h"
#include "skin/SkinItem.h"
#include "skin/SkinReader.h"
#include "skin/SkinScript.h"
#include "skin/SkinSurface.h"
#include "skin/SkinWindow.h"

namespace {

constexpr uint32_t kWmPaint = 0x000F;
constexpr uint32_t kWmEraseBkgnd = 0x0014;
constexpr uint32_t kWmNcLButtonDown = 0x00A1;
constexpr uint32_t kWmKeyUp = 0x0101;
constexpr uint32_t kWmSysKeyUp = 0x0105;
constexpr intptr_t kAltHeld = intptr_t(1) << 29;  // the key message's context code
constexpr uint32_t kWmSysCommand = 0x0112;
constexpr uint32_t kWmMouseFirst = 0x0200;  // WM_MOUSEMOVE .. WM_RBUTTONDBLCLK
constexpr uint32_t kWmMouseLast = 0x0206;
constexpr uint32_t kWmCaptureChanged = 0x0215;
constexpr uintptr_t kHtCaption = 2;
constexpr uint32_t kMouseLeft = 1;  // MK_LBUTTON
constexpr uint32_t kMouseRight = 2; // MK_RBUTTON

// The skins attached to windows, for the shared window procedure.
CLinkList& AttachedSkins()
{
    static CLinkList* skins = new CLinkList;
    return *skins;
}

// The mouse-key state of the last mouse step, shared by every skin.
uint32_t g_lastMouseKeys = 0;
ISkinFailureReport* g_failureReport = nullptr;

} // namespace

CSkin::~CSkin()
{
    Detach();
}

intptr_t CSkin::WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!m_window)
        return 0;
    switch (message) {
    case kWmPaint:
        Paint();
        break;
    case kWmEraseBkgnd:
        return 1;  // the buffer covers everything
    case kWmSysCommand:
        m_window->Invalidate(nullptr, false);
        break;
    case kWmKeyUp:
        KeyUp(static_cast<uint32_t>(wParam));
        break;
    case kWmSysKeyUp:
        // F10, the menu key, is released as a system key. Without Alt held it
        // counts like any other key, so a skin can bind it; Alt combinations
        // stay the system's.
        if (!(lParam & kAltHeld))
            KeyUp(static_cast<uint32_t>(wParam));
        break;
    case kWmCaptureChanged:
        CaptureChanged(reinterpret_cast<const void*>(lParam));
        break;
    default:
        if (message >= kWmMouseFirst && message <= kWmMouseLast)
            MouseStep(static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam & 0xFFFF),
                      static_cast<int32_t>((lParam >> 16) & 0xFFFF));
        break;
    }
    return m_window->CallPrevious(message, wParam, lParam);
}

bool CSkin::Attach(ISkinWindow* window, uint32_t message)
{
    if (!window || m_window)
        return false;
    AttachedSkins().Append(this);
    m_window = window;
    m_message = message;
    window->Subclass();
    window->Invalidate(nullptr, false);
    m_client = window->ScreenRect();  // until the first paint reads the client area
    return true;
}

bool CSkin::LoadSection(const char* file, const char* section)
{
    CSkinReader reader(m_variables, file);
    if (!reader.IsOpen())
        return false;
    if (m_loadDepth == 0)
        m_loadsLeft = kMaxLoads;
    --m_loadsLeft;
    ++m_loadDepth;
    const bool loaded = CSkinScript(*this, reader).Load(section);
    --m_loadDepth;
    return loaded;
}

void CSkin::Detach()
{
    if (m_window) {
        m_window->RemoveShape();
        m_window->FreeBuffer();
    }
    m_current = nullptr;
    m_items.UnlinkAll(true);
    m_variables.Clear();
    if (List())
        List()->Unlink(this);
    m_window = nullptr;
}

CSkinItem* CSkin::FindItem(uint32_t id) const
{
    for (auto* item = m_items.FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item))
        if (item->Id() == id)
            return item;
    return nullptr;
}

CSkin* CSkin::FindAttached(const void* windowHandle)
{
    for (auto* skin = AttachedSkins().FirstAs<CSkin>(); skin; skin = CLinkList::NextAs(skin))
        if (skin->m_window->Handle() == windowHandle)
            return skin;
    return nullptr;
}

void CSkin::SetFailureReport(ISkinFailureReport* report)
{
    g_failureReport = report;
}

void CSkin::ReportFailure(const char* message)
{
    if (g_failureReport)
        g_failureReport->SkinFailed(message);
}

ISkinSurface& CSkin::BufferSurface() const
{
    static CNullSkinSurface nothing;
    ISkinSurface* buffer = m_window ? m_window->Buffer() : nullptr;
    return buffer ? *buffer : nothing;
}

void CSkin::Notify(uint32_t id, SkinEvent event) const
{
    if (m_window && id != 0)
        m_window->Send(m_message, id, event);
}

void CSkin::Invalidate(const SkinRect* rect, bool erase) const
{
    if (m_window)
        m_window->Invalidate(rect, erase);
}

void CSkin::DragWindow() const
{
    if (!m_window)
        return;
    m_window->ReleaseCapture();
    m_window->Send(kWmNcLButtonDown, kHtCaption, 0);
}

void CSkin::AddItem(CSkinItem* item)
{
    m_items.InsertFront(item);
}

void CSkin::Paint()
{
    m_window->BeginPaint();
    m_client = m_window->ClientRect();
    if (!m_window->Buffer())
        BuildBuffer();
    m_window->EndPaint(m_client.right, m_client.bottom);
}

// Draws every item in script order (from the back of the list) into a fresh
// buffer of the client size. Later changes are drawn into it piece by piece.
void CSkin::BuildBuffer()
{
    m_client = m_window->ClientRect();
    m_window->MakeBuffer(m_client.right, m_client.bottom);
    ISkinSurface& surface = BufferSurface();
    for (auto* item = m_items.LastAs<CSkinItem>(); item; item = CLinkList::PrevAs(item))
        item->Draw(surface, m_client.right, m_client.bottom);
}

void CSkin::MouseStep(uint32_t keys, int32_t x, int32_t y)
{
    CSkinItem* hit = HitItem(x, y);
    if (m_current && m_current != hit) {
        Leave(m_current);
        if (!hit)
            m_window->ReleaseCapture();
    }
    if (!hit || (hit == m_current && keys == g_lastMouseKeys))
        return;
    g_lastMouseKeys = keys;
    m_current = hit;
    if (keys & kMouseLeft) {
        Notify(hit->Id(), SKIN_LDOWN);
        hit->OnLeftDown();
    } else if (keys & kMouseRight) {
        Notify(hit->Id(), SKIN_RDOWN);
        hit->OnRightDown();
    } else {
        Notify(hit->Id(), hit->IsPressed() ? SKIN_CLICK : SKIN_OVER);
        hit->OnOver();
    }
}

// Every binding of the key, ID 0 included, in table order.
void CSkin::KeyUp(uint32_t key)
{
    for (size_t i = 0; i < m_hotKeys.Count(); ++i)
        if (m_hotKeys.At(i).key == key)
            m_window->Send(m_message, m_hotKeys.At(i).id, SKIN_CLICK);
}

void CSkin::CaptureChanged(const void* newOwner)
{
    if (newOwner == m_window->Handle() || !m_current)
        return;
    Leave(m_current);
    m_window->ReleaseCapture();
}

CSkinItem* CSkin::HitItem(int32_t x, int32_t y) const
{
    for (auto* item = m_items.FirstAs<CSkinItem>(); item; item = CLinkList::NextAs(item))
        if (item->HitTest(x, y))
            return item;
    return nullptr;
}

void CSkin::Leave(CSkinItem* item)
{
    Notify(item->Id(), SKIN_LEAVE);
    item->OnLeave();
}
