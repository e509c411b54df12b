#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/WindowEvents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;

struct EventCase
{
    std::unique_ptr<IEventBase> event;
    int32_t type;
    const char* name;
};

std::vector<EventCase> EveryEvent()
{
    std::vector<EventCase> cases;
    auto add = [&cases](IEventBase* p_Event, int32_t p_Type, const char* p_Name) {
        cases.push_back({std::unique_ptr<IEventBase>(p_Event), p_Type, p_Name});
    };
    add(new EventWindowCreate, 1, "WindowCreateEvent");
    add(new EventWindowFocus(true), 2, "WindowFocusEvent");
    add(new EventWindowPosition({3, 4}), 3, "WindowPositionEvent");
    add(new EventWindowResize({640, 480}), 4, "WindowSizeEvent");
    add(new EventWindowMinimize, 5, "WindowMinimizeEvent");
    add(new EventWindowMaximize({1920, 1080}), 6, "WindowMaximizeEvent");
    add(new EventWindowFullscreen({1920, 1080}), 7, "WindowFullscreenEvent");
    add(new EventWindowClose, 8, "WindowCloseEvent");
    add(new EventQuitRequest, 9, "QuitRequestEvent");
    add(new EventRendererUpdate(1, 60.0f, 2, 3), 10, "RendererUpdateEvent");
    add(new EventRendererPresent, 11, "RendererPresentEvent");
    add(new EventTextInput("q"), 12, "CharEvent");
    add(new EventKeyInput(k_EventKeyPress, 65, k_KeyActionPress, 0), 13, "KeyInputEvent");
    add(new EventKeyInput(k_EventKeyRepeat, 65, k_KeyActionRepeat, 0), 14, "KeyInputEvent");
    add(new EventKeyInput(k_EventKeyRelease, 65, k_KeyActionRelease, 0), 15, "KeyInputEvent");
    add(new EventMouseScroll(-120, {1, 2}), 16, "ScrollEvent");
    add(new EventMousePress(1, 1, 0, {1, 2}), 17, "MouseClickEvent");
    add(new EventCursor(EventCursor::Position(0, {1, 2}, {3, 4})), 18, "CursorPositionEvent");
    add(new EventCursor(EventCursor::Hover(EventCursor::Position(0, {1, 2}, {3, 4}), 1)), 19,
        "CursorHoverEvent");
    add(new EventMouseEnter({1, 2}, {0, 0}), 21, "CursorEnterEvent");
    add(new EventMouseLeave({1, 2}, {0, 0}), 22, "CursorLeaveEvent");
    return cases;
}

TEST(Events, EveryEventCarriesItsTypeNumberAndName)
{
    for (const EventCase& entry : EveryEvent())
    {
        EXPECT_EQ(entry.event->GetType(), entry.type) << entry.name;
        EXPECT_EQ(entry.event->GetName().ToNarrow().Bytes(), std::string(entry.name)) << entry.type;
    }
}

TEST(Events, TypeTwentyIsNotUsed)
{
    for (const EventCase& entry : EveryEvent())
        EXPECT_NE(entry.event->GetType(), 20);
}

TEST(Events, KeyEventIsNamedKeyInputEventWhateverItsType)
{
    for (const int32_t type : {13, 14, 15, 99})
    {
        const EventKeyInput event(static_cast<EventType>(type), 300, k_KeyActionPress, 0x10);
        EXPECT_EQ(event.GetName(), Lib::String("KeyInputEvent")) << type;
        EXPECT_EQ(event.GetType(), type);
        EXPECT_EQ(event.keyCode, 300);
        EXPECT_EQ(event.modifiers, 0x10);
    }
}

TEST(Events, QuitRequestStartsWithAnswerZero)
{
    const EventQuitRequest event;
    EXPECT_EQ(event.answer, 0);
    EXPECT_EQ(EventQuitRequest::k_QuitRefused, 7);
}

TEST(Events, HoverEventCopiesTheCursorPositionPayload)
{
    const EventCursor position = EventCursor::Position(2, {10, 20}, {-1, 3});
    const EventCursor hover = EventCursor::Hover(position, 1);
    EXPECT_EQ(hover.buttonHeld, 2);
    EXPECT_EQ(hover.position, (Lib::Point{10, 20}));
    EXPECT_EQ(hover.movement, (Lib::Point{-1, 3}));
    EXPECT_EQ(hover.entered, 1);
    EXPECT_EQ(position.entered, 0);
}
} // namespace
