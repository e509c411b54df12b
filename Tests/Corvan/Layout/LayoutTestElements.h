#pragma once
// Small real elements and listeners that write down what reaches them, shared by the layout and
// event manager tests.
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/IUiFocus.h"
#include "Corvan/Layout/LayoutBase.h"

#include <string>
#include <vector>

namespace LayoutTesting
{
using Vozad::LayoutBase;

// One call that reached a listener or an element: the operation's name and who reported it.
struct Call
{
    std::string operation;
    const LayoutBase* sender;
    bool operator==(const Call&) const = default;
};

// A listener that answers every operation with the same configurable result.
class RecordingForwarder : public Vozad::ILayoutEventForwarder
{
public:
    bool answer = false;
    LayoutBase* element = nullptr;
    std::vector<Call> calls;
    std::vector<int32_t> hoverEntered; // the entered value of every OnHoverChanged
    std::vector<bool> focusValues;     // the value of every OnFocusChanged

    bool OnTextInput(Vozad::EventTextInput&, LayoutBase& p_Sender) override
    {
        return Bool("OnTextInput", p_Sender);
    }
    bool OnKeyPress(Vozad::EventKeyInput&, LayoutBase& p_Sender) override
    {
        return Bool("OnKeyPress", p_Sender);
    }
    bool OnKeyRepeat(Vozad::EventKeyInput&, LayoutBase& p_Sender) override
    {
        return Bool("OnKeyRepeat", p_Sender);
    }
    bool OnKeyRelease(Vozad::EventKeyInput&, LayoutBase& p_Sender) override
    {
        return Bool("OnKeyRelease", p_Sender);
    }
    bool OnMouseScroll(Vozad::EventMouseScroll&, LayoutBase& p_Sender) override
    {
        return Bool("OnMouseScroll", p_Sender);
    }
    LayoutBase* OnMousePress(Vozad::EventMousePress&, LayoutBase& p_Sender) override
    {
        return Element("OnMousePress", p_Sender);
    }
    LayoutBase* OnMouseRelease(Vozad::EventMousePress&, LayoutBase& p_Sender) override
    {
        return Element("OnMouseRelease", p_Sender);
    }
    LayoutBase* OnMouseClick(Vozad::EventMousePress&, LayoutBase& p_Sender) override
    {
        return Element("OnMouseClick", p_Sender);
    }
    LayoutBase* FindElementAt(Vozad::EventCursor&, LayoutBase& p_Sender) override
    {
        return Element("FindElementAt", p_Sender);
    }
    LayoutBase* OnHoverChanged(Vozad::EventCursor& p_Event, LayoutBase& p_Sender) override
    {
        hoverEntered.push_back(p_Event.entered);
        return Element("OnHoverChanged", p_Sender);
    }
    bool OnCursorDrag(Vozad::EventCursor&, LayoutBase& p_Sender) override
    {
        return Bool("OnCursorDrag", p_Sender);
    }
    bool OnCursorEnter(Vozad::EventMouseEnter&, LayoutBase& p_Sender) override
    {
        return Bool("OnCursorEnter", p_Sender);
    }
    bool OnCursorLeave(Vozad::EventMouseLeave&, LayoutBase& p_Sender) override
    {
        return Bool("OnCursorLeave", p_Sender);
    }
    bool OnFocusChanged(bool p_Focused, LayoutBase& p_Sender) override
    {
        focusValues.push_back(p_Focused);
        return Bool("OnFocusChanged", p_Sender);
    }

    std::vector<std::string> Operations() const
    {
        std::vector<std::string> operations;
        for (const Call& call : calls)
            operations.push_back(call.operation);
        return operations;
    }

private:
    bool Bool(const char* p_Operation, LayoutBase& p_Sender)
    {
        calls.push_back({p_Operation, &p_Sender});
        return answer;
    }
    LayoutBase* Element(const char* p_Operation, LayoutBase& p_Sender)
    {
        calls.push_back({p_Operation, &p_Sender});
        return element;
    }
};

// A leaf with the default behaviour that also writes down its layout, drawing and destruction
// into a journal that several elements can share.
class TestElement : public LayoutBase
{
public:
    explicit TestElement(std::string p_Name = "element", std::vector<std::string>* p_Journal = nullptr)
        : name(std::move(p_Name)), journal(p_Journal)
    {
    }
    ~TestElement() override { Write("destroyed"); }

    void UpdateLayout() override
    {
        ++layouts;
        Write("layout");
    }
    void Draw(Vozad::IDrawingContext&) override
    {
        ++draws;
        Write("draw");
    }

    std::string name;
    std::vector<std::string>* journal;
    int layouts = 0;
    int draws = 0;

private:
    void Write(const char* p_What)
    {
        if (journal)
            journal->push_back(name + " " + p_What);
    }
};

// Behaves as the engine's focus owner: one focused element, told when it gains or loses focus.
class TestFocusOwner : public Vozad::IUiFocus
{
public:
    void SetFocus(LayoutBase* p_Element) override
    {
        if (!p_Element)
            return;
        if (focused)
            focused->SetFocused(false);
        focused = p_Element;
        p_Element->SetFocusOwner(this);
        p_Element->SetFocused(true);
    }
    void ReleaseFocus(LayoutBase* p_Element) override
    {
        releases.push_back(p_Element);
        if (!p_Element || p_Element != focused)
            return;
        p_Element->SetFocused(false);
        focused = nullptr;
    }

    LayoutBase* focused = nullptr;
    std::vector<const LayoutBase*> releases;
};

// The elements under test only hand the drawing context on and never touch it, so any storage
// stands in for the real one until the GUI's drawing context exists.
inline Vozad::IDrawingContext& UnusedDrawingContext()
{
    alignas(16) static unsigned char storage[64];
    return *reinterpret_cast<Vozad::IDrawingContext*>(storage);
}
} // namespace LayoutTesting
