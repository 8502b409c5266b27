#include "controls/AnimatedControls.h"
#include "controls/DispIds.h"
#include "controls/Input.h"
#include "controls/MarqueeMotion.h"
#include "tests/controls/ControlFixtures.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

using namespace Solido;
using namespace solido_test;

namespace {

void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3));
}

} // namespace

TEST(Events, ChoosingAnOptionReleasesTheOthersOfItsContainerOnly)
{
    QWidget form, other;
    auto* a = new KwOption(&form);
    auto* b = new KwOption(&form);
    auto* c = new KwOption(&form);
    auto* elsewhere = new KwOption(&other);
    for (KwOption* o : {a, b, c, elsewhere})
        o->resize(60, 16);
    elsewhere->setValue(true);
    a->setValue(true);
    std::vector<bool> clicks;
    QObject::connect(b, &KwOption::Click, [&](bool& value) { clicks.push_back(value); });
    click(b);
    EXPECT_EQ(clicks, std::vector<bool>{true});
    EXPECT_FALSE(a->Value());
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(c->Value());
    EXPECT_TRUE(elsewhere->Value());
    // A slot may refuse the choice.
    QObject::connect(c, &KwOption::Click, [](bool& value) { value = false; });
    click(c);
    EXPECT_FALSE(c->Value());
    EXPECT_TRUE(b->Value());
}

TEST(Events, CheckBoxesCycleThroughTwoOrThreeStates)
{
    struct Case {
        bool tripleState;
        std::vector<Constants_CheckBoxValue> after;
    };
    const Case cases[] = {
        {false, {kwCBChecked, kwCBUnchecked, kwCBChecked}},
        {true, {kwCBChecked, kwCBGrayed, kwCBUnchecked, kwCBChecked}},
    };
    for (const Case& c : cases) {
        KwCheck check;
        check.resize(60, 16);
        check.setTripleState(c.tripleState);
        std::vector<Constants_CheckBoxValue> seen, offered;
        QObject::connect(&check, &KwCheck::Click,
                         [&](Constants_CheckBoxValue& value) { offered.push_back(value); });
        for (size_t i = 0; i < c.after.size(); ++i) {
            click(&check);
            seen.push_back(check.Value());
        }
        EXPECT_EQ(seen, c.after);
        EXPECT_EQ(offered, c.after);
    }
    // A greyed box set by code leaves it unchecked on the next click even with two states.
    KwCheck check;
    check.resize(60, 16);
    check.setValue(kwCBGrayed);
    QObject::connect(&check, &KwCheck::Click, [](Constants_CheckBoxValue& value) {
        if (value == kwCBUnchecked)
            value = kwCBChecked; // a slot may choose another state
    });
    click(&check);
    EXPECT_EQ(check.Value(), kwCBChecked);
    EXPECT_EQ(KwCheck::nextValue(kwCBGrayed, false), kwCBUnchecked);
}

// Clicks on ribbon buttons a, b (and c in another container) and the values after each.
TEST(Events, RibbonGroupsReleaseTheirOtherButtons)
{
    struct Case {
        const char* what;
        int groupA, groupB, groupC;
        bool allowAllUp;
        const char* clicks;   // a, b or c
        const char* expected; // after each click: the values of a, b and c as 0/1
    };
    const Case cases[] = {
        {"one group, all up allowed", 1, 1, 1, true, "abb", "100 010 000"},
        {"one group, one stays down", 1, 1, 1, false, "aab", "100 100 010"},
        {"group 0 buttons toggle alone", 0, 0, 0, false, "aba", "100 110 010"},
        {"different groups", 1, 2, 1, true, "ab", "100 110"},
        {"another container", 1, 1, 1, true, "ac", "100 101"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget form, other;
        auto* a = new KwRibbon(&form);
        auto* b = new KwRibbon(&form);
        auto* d = new KwRibbon(&other);
        const std::pair<KwRibbon*, int> setup[] = {{a, c.groupA}, {b, c.groupB}, {d, c.groupC}};
        for (auto [r, group] : setup) {
            r->resize(30, 20);
            r->setGroupNumber(group);
            r->setGroupAllowAllUp(c.allowAllUp);
        }
        QStringList states;
        for (const char* k = c.clicks; *k; ++k) {
            click(*k == 'a' ? a : *k == 'b' ? b : d);
            states << QStringLiteral("%1%2%3")
                          .arg(int(a->Value()))
                          .arg(int(b->Value()))
                          .arg(int(d->Value()));
        }
        EXPECT_EQ(states.join(QLatin1Char(' ')), QLatin1String(c.expected));
    }
    // Setting Value in code releases the group too.
    QWidget form;
    auto* a = new KwRibbon(&form);
    auto* b = new KwRibbon(&form);
    a->setValue(true);
    b->setValue(true);
    EXPECT_FALSE(a->Value());
    EXPECT_EQ(a->groupMembers(), QList<KwRibbon*>{b});
}

TEST(Events, CommandButtonsClickByPointerKeyboardCodeAndValue)
{
    KwCommand button(QStringLiteral("Go"));
    button.resize(60, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicks(&button, &KwCommand::Click);
    click(&button);
    EXPECT_EQ(clicks.count(), 1);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
    button.DoClick();
    EXPECT_EQ(clicks.count(), 3);
    button.setValue(true);
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_FALSE(button.Value());
    // Held down with AutoRepeat, the button clicks again and again.
    button.setAutoRepeat(true);
    EXPECT_TRUE(button.autoRepeat());
    button.setAutoRepeatDelay(5);
    button.setAutoRepeatInterval(5);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() >= 7; }, 2000));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(3, 3));
    button.setAutoRepeat(false);
    clicks.clear();

    // KeyDown may take the key: a zeroed code stops it before the button sees it.
    std::vector<int> codes;
    QObject::connect(&button, &KwCommand::KeyDown, [&](int& code, int shift) {
        codes.push_back(code * 10 + shift);
        if (code == 32)
            code = 0;
    });
    int typed = 0;
    QObject::connect(&button, &KwCommand::KeyPress, [&](int& ascii) { typed = ascii; });
    QTest::keyClick(&button, Qt::Key_Space);
    QTest::keyClick(&button, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(&button, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(codes, (std::vector<int>{320, 172, 132, 650})); // Ctrl is a key too
    EXPECT_EQ(typed, 'a');
}

TEST(Events, MouseEventsCarryButtonShiftAndPosition)
{
    KwPanel panel;
    panel.resize(80, 40);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QStringList seen;
    auto record = [&](const char* name) {
        return [&seen, name](int button, int shift, int x, int y) {
            seen << QStringLiteral("%1 %2 %3 %4,%5")
                        .arg(QLatin1String(name))
                        .arg(button)
                        .arg(shift)
                        .arg(x)
                        .arg(y);
        };
    };
    QObject::connect(&panel, &KwPanel::MouseDown, record("down"));
    QObject::connect(&panel, &KwPanel::MouseUp, record("up"));
    QStringList entered;
    QObject::connect(&panel, &KwPanel::MouseEnter, [&](int button, int shift, int x, int y) {
        entered << QStringLiteral("%1 %2 %3,%4").arg(button).arg(shift).arg(x).arg(y);
    });
    QSignalSpy clicks(&panel, &KwPanel::Click);
    QSignalSpy doubles(&panel, &KwPanel::DblClick);
    QTest::mouseClick(&panel, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(7, 8));
    QEnterEvent enter(QPointF(9, 10), QPointF(9, 10), QPointF(9, 10));
    QApplication::sendEvent(&panel, &enter);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("down 2 2 5,6"), QStringLiteral("up 2 2 5,6"),
                                 QStringLiteral("down 1 5 7,8"), QStringLiteral("up 1 5 7,8")}));
    ASSERT_FALSE(entered.isEmpty());
    EXPECT_EQ(entered.last(), QStringLiteral("0 0 9,10"));
    EXPECT_EQ(clicks.count(), 1); // the left click only
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(doubles.count(), 1);
}

TEST(Events, APanelReportsResizeWhenTheSplitterBarBesideItMoves)
{
    struct Splitter : QSplitter {
        using QSplitter::moveSplitter;
    } splitter;
    KwPanel* panes[3];
    QSignalSpy* spies[3];
    std::vector<std::unique_ptr<QSignalSpy>> owned;
    for (auto*& pane : panes)
        pane = new KwPanel(&splitter);
    for (int i = 0; i < 3; ++i) {
        owned.push_back(std::make_unique<QSignalSpy>(panes[i], &KwPanel::Resize));
        spies[i] = owned.back().get();
    }
    splitter.resize(300, 100);
    splitter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splitter));
    splitter.moveSplitter(60, 1); // the bar between panes 0 and 1
    EXPECT_EQ(spies[0]->count(), 1);
    EXPECT_EQ(spies[1]->count(), 1);
    EXPECT_EQ(spies[2]->count(), 0);
    EXPECT_EQ(panes[0]->width(), 60);
}

TEST(Events, InputArgumentsUseTheContainersNumbers)
{
    EXPECT_EQ(mouseButtonMask(Qt::LeftButton | Qt::MiddleButton), 5);
    EXPECT_EQ(mouseButtonMask(Qt::RightButton), 2);
    EXPECT_EQ(shiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    for (auto [key, code] : {std::pair{int(Qt::Key_A), 65},
                             {int(Qt::Key_7), 55},
                             {int(Qt::Key_Return), 13},
                             {int(Qt::Key_Enter), 13},
                             {int(Qt::Key_Escape), 27},
                             {int(Qt::Key_Left), 37},
                             {int(Qt::Key_Down), 40},
                             {int(Qt::Key_F1), 112},
                             {int(Qt::Key_F12), 123},
                             {int(Qt::Key_Delete), 46},
                             {int(Qt::Key_Space), 32},
                             {int(Qt::Key_Tab), 9},
                             {int(Qt::Key_VolumeUp), 0}})
        EXPECT_EQ(virtualKeyCode(key), code) << key;
}

TEST(Animation, FramesAdvanceAndAPlayCountStopsTheAnimation)
{
    struct Case {
        int frame, frames, plays;
        AnimationStep expected;
    };
    const Case cases[] = {
        {0, 3, 0, {1, 0, false}}, {2, 3, 0, {0, 0, false}}, // forever
        {2, 3, 2, {0, 1, false}}, {2, 3, 1, {0, 0, true}},  {1, 3, 1, {2, 1, false}},
    };
    for (const Case& c : cases) {
        const AnimationStep s = nextAnimationFrame(c.frame, c.frames, c.plays);
        EXPECT_EQ(std::tuple(s.frame, s.playsLeft, s.stop),
                  std::tuple(c.expected.frame, c.expected.playsLeft, c.expected.stop))
            << c.frame << "/" << c.frames << " " << c.plays;
    }
}

TEST(Animation, AnAnimatedControlShowsItsFramesByTimerAndLeavesTheListWhenDone)
{
    QImage strip(30, 10, QImage::Format_RGB32);
    strip.fill(Qt::red);
    const int before = AnimatedControls::instance().count();
    auto panel = std::make_unique<KwPanel>();
    panel->setPicture(QPixmap::fromImage(strip));
    panel->setPictureFrames(3);
    panel->setPictureAnimationCount(2);
    panel->setPictureAnimationDelay(1);
    QSignalSpy changed(panel.get(), &KwPanel::PictureFrameChanged);
    panel->setPictureAnimationEnabled(true);
    EXPECT_TRUE(AnimatedControls::instance().contains(panel.get()));
    EXPECT_EQ(AnimatedControls::instance().count(), before + 1);
    // Two plays of three frames: 2 3 1 2 3 1, then it stops on the first frame.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !AnimatedControls::instance().contains(panel.get()); }, 5000));
    EXPECT_EQ(changed.count(), 6);
    EXPECT_EQ(panel->PictureFrame(), 1);
    EXPECT_FALSE(panel->PictureAnimationEnabled());

    panel->setPictureAnimationCount(0);
    panel->setPictureAnimationEnabled(true);
    EXPECT_TRUE(AnimatedControls::instance().contains(panel.get()));
    KwControl* gone = panel.get();
    panel.reset();
    EXPECT_FALSE(AnimatedControls::instance().contains(gone));
    EXPECT_EQ(AnimatedControls::instance().count(), before);
}

// Positions after each step: area 10, caption 4 long, resting at 3, 3 pixels a step. '[' marks a
// step that begins a cycle, ']' one that ends it.
TEST(Marquee, EachStyleMovesTheCaptionAndMarksItsCycles)
{
    struct Case {
        const char* what;
        Constants_MarqueeStyle style;
        Constants_MarqueeDirection direction;
        int steps;
        const char* expected;
    };
    const Case cases[] = {
        {"scrolling leftwards", kwScrollingMarquee, kwMDRightToLeft, 8, "[10 7 4 1 -2 -5] [10 7"},
        {"scrolling downwards", kwScrollingMarquee, kwMDTopToBottom, 7, "[-4 -1 2 5 8 11] [-4"},
        {"sliding rightwards", kwSlidingMarquee, kwMDLeftToRight, 6, "[-4 -1 2 3] 3 3"},
        {"sliding up", kwSlidingMarquee, kwMDBottomToTop, 5, "[10 7 4 3] 3"},
        {"bouncing leftwards", kwBouncingMarquee, kwMDRightToLeft, 7, "[6 3 0 3 6] [6 3"},
        {"bouncing rightwards", kwBouncingMarquee, kwMDLeftToRight, 6, "[0 3 6 3 0] [0"},
    };
    for (const Case& c : cases) {
        MarqueeMotion motion;
        QStringList out;
        for (int i = 0; i < c.steps; ++i) {
            const auto events = motion.step(c.style, c.direction, 3, {10, 4, 3});
            out << QStringLiteral("%1%2%3")
                       .arg(events.cycleBegan ? QStringLiteral("[") : QString())
                       .arg(motion.position())
                       .arg(events.cycleEnded ? QStringLiteral("]") : QString());
        }
        EXPECT_EQ(out.join(QLatin1Char(' ')), QLatin1String(c.expected)) << c.what;
    }
    MarqueeMotion blink;
    QString shown;
    for (int i = 0; i < 5; ++i) {
        const auto events = blink.step(kwBlinkingMarquee, kwMDRightToLeft, 3, {10, 4, 3});
        shown += QLatin1Char(blink.visible() ? 'x' : '.');
        shown += QLatin1Char(events.cycleBegan ? '[' : events.cycleEnded ? ']' : ' ');
    }
    EXPECT_EQ(shown, QStringLiteral("x[.]x[.]x["));
}

TEST(Marquee, AControlsMarqueeRaisesItsCycleEvents)
{
    KwPanel panel;
    panel.resize(60, 20);
    panel.setCaption(QStringLiteral("News"));
    QSignalSpy begins(&panel, &KwPanel::MarqueeCycleBegin);
    QSignalSpy ends(&panel, &KwPanel::MarqueeCycleEnd);
    panel.setMarqueeScrollAmount(30);
    panel.setMarqueeStyle(kwScrollingMarquee);
    for (int i = 0; i < 6; ++i)
        panel.stepMarquee();
    EXPECT_GE(begins.count(), 2);
    EXPECT_GE(ends.count(), 1);
    panel.setMarqueeStyle(kwNoneMarquee);
    EXPECT_FALSE(panel.marquee().started());
}
