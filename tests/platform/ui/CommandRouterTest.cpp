#include "platform/ui/CommandRouter.h"
#include "platform/ui/CommandTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A target that records in a shared log when one of its commands runs.
class RecordingTarget : public ui::CCommandTarget {
public:
    RecordingTarget(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name))
        , m_log(log)
    {
    }
    void Handle(WORD id)
    {
        MapCommand(id, [this, id] { m_log.push_back(m_name + ":" + std::to_string(id)); });
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class CommandRoutingTest : public testing::Test {
protected:
    std::vector<std::string> log;
    RecordingTarget workspace { "workspace", log };
    RecordingTarget view { "view", log };
    RecordingTarget document { "document", log };
    RecordingTarget frame { "frame", log };
    RecordingTarget app { "app", log };
    ui::CCommandRouter Router() { return ui::CCommandRouter({ &workspace, &view, &document, &frame, &app }); }
};

TEST_F(CommandRoutingTest, FirstTargetInChainThatHandlesTheCommandRunsIt)
{
    struct Case {
        const char* name;
        std::vector<RecordingTarget*> handlers;
        const char* expected;
    };
    // Each case: a fresh command id handled by the listed targets.
    const std::vector<Case> cases = {
        { "workspace before view", { &view, &workspace }, "workspace" },
        { "view before document", { &document, &view }, "view" },
        { "document before frame", { &frame, &document }, "document" },
        { "frame before application", { &app, &frame }, "frame" },
        { "application last", { &app }, "app" },
    };
    WORD id = 100;
    for (const Case& c : cases) {
        ++id;
        for (RecordingTarget* target : c.handlers)
            target->Handle(id);
        log.clear();
        EXPECT_TRUE(Router().Execute(id)) << c.name;
        ASSERT_EQ(log.size(), 1u) << c.name;
        EXPECT_EQ(log[0], std::string(c.expected) + ":" + std::to_string(id)) << c.name;
    }
}

TEST_F(CommandRoutingTest, NullTargetsInChainAreSkipped)
{
    app.Handle(7);
    ui::CCommandRouter router({ nullptr, &view, nullptr, &app });
    EXPECT_TRUE(router.Execute(7));
    EXPECT_EQ(log, std::vector<std::string> { "app:7" });
}

TEST_F(CommandRoutingTest, UnhandledCommandIsDisabledAndDoesNotRun)
{
    EXPECT_FALSE(Router().IsEnabled(500));
    EXPECT_FALSE(Router().Execute(500));
    EXPECT_FALSE(Router().ExecuteIfEnabled(500));
    EXPECT_TRUE(log.empty());
}

TEST_F(CommandRoutingTest, HandledCommandWithoutUpdateHandlerIsEnabled)
{
    frame.Handle(501);
    EXPECT_TRUE(Router().IsEnabled(501));
    EXPECT_FALSE(Router().QueryState(501).Check().has_value());
}

TEST_F(CommandRoutingTest, FirstUpdateHandlerInChainDecides)
{
    app.Handle(600);
    view.MapUpdate(600, [](ui::CCommandState& state) {
        state.Enable(false);
        state.SetCheck(1);
        state.SetText("Ruler");
    });
    app.MapUpdate(600, [](ui::CCommandState& state) { state.Enable(true); });
    ui::CCommandState state = Router().QueryState(600);
    EXPECT_EQ(state.Enabled(), false);
    EXPECT_EQ(state.Check(), 1);
    EXPECT_EQ(state.Text(), "Ruler");
    EXPECT_FALSE(Router().ExecuteIfEnabled(600));
    EXPECT_TRUE(log.empty());
}

TEST_F(CommandRoutingTest, UpdateHandlerThatOnlyChecksLeavesEnablingToTheHandlerRule)
{
    // A check-only update handler for a command nobody handles: still disabled.
    document.MapUpdate(700, [](ui::CCommandState& state) { state.SetCheck(0); });
    EXPECT_FALSE(Router().IsEnabled(700));
    frame.Handle(700);
    EXPECT_TRUE(Router().IsEnabled(700));
    EXPECT_EQ(Router().QueryState(700).Check(), 0);
}

TEST_F(CommandRoutingTest, RangeHandlerReceivesTheCommandId)
{
    std::vector<WORD> seen;
    app.MapCommandRange(800, 809, [&seen](WORD id) { seen.push_back(id); });
    EXPECT_TRUE(Router().Execute(803));
    EXPECT_FALSE(Router().Execute(810));
    EXPECT_EQ(seen, std::vector<WORD> { 803 });
}

TEST_F(CommandRoutingTest, DropDownGoesToFirstTargetThatTakesIt)
{
    struct DropTarget : ui::CCommandTarget {
        WORD taken = 0;
        RECT rect {};
        bool OnToolBarDropDown(WORD id, const RECT& screenRect) override
        {
            taken = id;
            rect = screenRect;
            return true;
        }
    } taker, later;
    ui::CCommandRouter router({ &workspace, &taker, &later });
    EXPECT_TRUE(router.DropDown(57600, RECT { 10, 20, 33, 42 }));
    EXPECT_EQ(taker.taken, 57600);
    EXPECT_EQ(taker.rect, (RECT { 10, 20, 33, 42 }));
    EXPECT_EQ(later.taken, 0);
}

} // namespace
