// How the packs' views move, on a manual frame clock: the look of a view at a
// few instants of its way in or out, and that everything is at rest, drawn
// without effects, once it has settled.

#include <gtest/gtest.h>

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QPointer>

#include "AppModelFixture.h"
#include "FakeApps.h"
#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Packs/CardGrid.h"
#include "Velorin/Packs/PackEditor.h"
#include "Velorin/Packs/PacksTab.h"
#include "Velorin/Packs/PackCard.h"
#include "Velorin/Packs/Presence.h"
#include "Velorin/Packs/ShortcutRow.h"

namespace velorin {
namespace {

using testing::FakeApps;

// The look a view is drawn with; at rest, as it is.
PresenceLook lookOf(const QWidget* view) {
    const auto* effect = dynamic_cast<const PresenceEffect*>(view->graphicsEffect());
    return effect ? effect->look() : PresenceLook{};
}

// A grid 700 by 800 with three cells 100 points high, not yet laid out.
std::vector<QWidget*> threeCells(CardGrid& grid) {
    grid.resize(700, 800);
    std::vector<QWidget*> cells;
    for (int i = 0; i < 3; ++i) {
        auto* cell = new QLabel(QString::number(i), &grid);
        cell->setFixedHeight(100);
        cells.push_back(cell);
    }
    return cells;
}

Binding shortcut(bool enabled) {
    return Binding{Uuid::generate(), Gesture::tap(3, 1), Action::media(MediaKey::playPause), enabled, {},
                   std::nullopt};
}

TEST(PresenceStyle, looksAlongTheWay) {
    struct Case {
        double progress;
        bool reduceMotion;
        PresenceLook look;
    };
    const PresenceStyle row{1, -6};
    const PresenceStyle card{0.96, 0};
    for (const auto& [style, c] : std::vector<std::pair<PresenceStyle, Case>>{
             {row, {0, false, {0, 1, -6}}},
             {row, {0.5, false, {0.5, 1, -3}}},
             {row, {1, false, {1, 1, 0}}},
             {row, {0.5, true, {0.5, 1, 0}}},
             {card, {0, false, {0, 0.96, 0}}},
             {card, {1.05, false, {1, 0.96 + 0.04 * 1.05, 0}}},  // a spring's overshoot grows past full size
             {card, {0.25, true, {0.25, 1, 0}}},
         }) {
        const PresenceLook look = style.lookAt(c.progress, c.reduceMotion);
        EXPECT_DOUBLE_EQ(look.opacity, c.look.opacity) << c.progress;
        EXPECT_DOUBLE_EQ(look.scale, c.look.scale) << c.progress;
        EXPECT_DOUBLE_EQ(look.dy, c.look.dy) << c.progress;
    }
}

class PackMotionTest : public ::testing::Test {
protected:
    PackMotionTest() {
        testing::qtApp();
        Motion::setInstant(false);
        FrameClock::install(&clock);
        apps.installed = {"com.a"};
        apps.names = {{"com.a", "Alpha"}};
    }
    ~PackMotionTest() override {
        views.clear();
        FrameClock::install(nullptr);
    }

    PackCard* card(PackCardState state, PackCardActions actions = {}) {
        auto c = std::make_unique<PackCard>(std::move(state), std::move(actions), apps.directory(), AppLookup{},
                                            [](const std::string&) { return std::vector<QImage>{}; });
        c->resize(380, 500);
        c->show();
        PackCard* made = c.get();
        views.push_back(std::move(c));
        return made;
    }
    Pack pack(int on, int off) {
        Pack p = Pack::newCustom({"com.a"});
        p.name = "Tools";
        for (int i = 0; i < on + off; ++i) p.bindings.push_back(shortcut(i < on));
        return p;
    }

    sim::SimPlatform sim;
    ManualFrameClock clock{100};
    FakeApps apps;
    std::vector<std::unique_ptr<QWidget>> views;
};

TEST_F(PackMotionTest, rowsCascadeInAndTheListFadesOutAsItCloses) {
    PackCard* c = card(PackCardState{pack(2, 1), true, std::nullopt, std::nullopt, false});
    c->setExpanded(true);
    const std::vector<ShortcutRow*> rows = c->rows();
    ASSERT_EQ(rows.size(), 3u);
    for (ShortcutRow* row : rows) {
        EXPECT_DOUBLE_EQ(lookOf(row).opacity, 0);
        EXPECT_DOUBLE_EQ(lookOf(row).dy, -6) << "rows drop from 6 points above";
    }
    clock.advance(0.04);
    EXPECT_GT(lookOf(rows[0]).opacity, 0.05) << "the first row starts at once";
    EXPECT_GT(lookOf(rows[1]).opacity, 0) << "the second after 0.025 s";
    EXPECT_DOUBLE_EQ(lookOf(rows[2]).opacity, 0) << "the third, a spare one, only after 0.05 s";
    EXPECT_LT(lookOf(rows[1]).opacity, lookOf(rows[0]).opacity);
    clock.advance(1.5);
    for (ShortcutRow* row : rows) EXPECT_EQ(row->graphicsEffect(), nullptr) << "at rest, drawn as it is";

    c->setExpanded(false);
    QWidget* list = rows[0]->parentWidget();
    EXPECT_TRUE(list->isVisible()) << "the rows fade before the list goes";
    clock.advance(0.05);
    EXPECT_GT(lookOf(list).opacity, 0);
    EXPECT_LT(lookOf(list).opacity, 1);
    clock.advance(0.1);
    EXPECT_FALSE(list->isVisible()) << "gone after 0.1 s";
    EXPECT_TRUE(c->rows().empty());
}

TEST_F(PackMotionTest, aRowThatGoesFadesOutWhereItStood) {
    Pack p = pack(2, 0);
    PackCard* c = card(PackCardState{p, true, std::nullopt, std::nullopt, false});
    c->setExpanded(true);
    clock.advance(1.5);
    ShortcutRow* second = c->rows()[1];
    const QRect where = second->geometry();
    Pack shorter = p;
    shorter.bindings.pop_back();
    c->setState(PackCardState{shorter, true, std::nullopt, std::nullopt, false});
    EXPECT_EQ(c->rows().size(), 1u);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->geometry(), where);
    clock.advance(0.05);
    EXPECT_GT(lookOf(second).opacity, 0);
    EXPECT_LT(lookOf(second).opacity, 1);
    clock.advance(0.1);
    EXPECT_FALSE(second->isVisible());
}

TEST_F(PackMotionTest, activeNowGrowsFromAPointAndShrinksAway) {
    const Pack p = pack(1, 0);
    PackCard* c = card(PackCardState{p, false, std::string("com.a"), std::nullopt, false});
    QWidget* active = c->findChild<QWidget*>("packCard.activeNow");
    ASSERT_NE(active, nullptr);
    c->setState(PackCardState{p, true, std::string("com.a"), std::nullopt, false});
    EXPECT_TRUE(c->showsActiveNow());
    EXPECT_LT(lookOf(active).scale, 0.001);
    EXPECT_DOUBLE_EQ(lookOf(active).opacity, 0);
    clock.advance(0.1);
    EXPECT_GT(lookOf(active).scale, 0.3);
    clock.advance(1.5);
    EXPECT_EQ(active->graphicsEffect(), nullptr);

    c->setState(PackCardState{p, false, std::string("com.a"), std::nullopt, false});
    EXPECT_FALSE(c->showsActiveNow()) << "on its way out it no longer counts as shown";
    EXPECT_TRUE(active->isVisible());
    clock.advance(1.5);
    EXPECT_FALSE(active->isVisible());
}

TEST_F(PackMotionTest, underReduceMotionRowsOnlyFadeAndAllAtOnce) {
    sim.displaySettings().setReduceMotion(true);
    PackCard* c = card(PackCardState{pack(3, 0), true, std::nullopt, std::nullopt, false});
    c->setExpanded(true);
    const std::vector<ShortcutRow*> rows = c->rows();
    clock.advance(0.04);
    for (ShortcutRow* row : rows) {
        EXPECT_GT(lookOf(row).opacity, 0) << "no cascade";
        EXPECT_DOUBLE_EQ(lookOf(row).dy, 0) << "no drop";
    }
    EXPECT_DOUBLE_EQ(lookOf(rows[0]).opacity, lookOf(rows[2]).opacity);
    clock.advance(1.5);
    for (ShortcutRow* row : rows) EXPECT_EQ(row->graphicsEffect(), nullptr);
}

// A card in the packs grid, whose height the grid takes from the card.
class CardHeightTest : public PackMotionTest {
protected:
    PackCard* gridCard(int on, int off) {
        auto g = std::make_unique<CardGrid>();
        g->resize(380, 900);
        auto* c = new PackCard(PackCardState{pack(on, off), true, std::nullopt, std::nullopt, false}, {},
                               apps.directory(), AppLookup{}, [](const std::string&) { return std::vector<QImage>{}; },
                               g.get());
        g->setCells({c});
        g->show();
        settle();
        views.push_back(std::move(g));
        return c;
    }
    // Lets the layouts follow the last frame.
    static void settle() {
        for (int i = 0; i < 4; ++i) QCoreApplication::sendPostedEvents();
    }
    int heightAt(PackCard* c, double seconds) {
        clock.advance(seconds);
        settle();
        return c->height();
    }
};

TEST_F(CardHeightTest, theCardsHeightSpringsWithTheDisclosureBothWays) {
    PackCard* c = gridCard(3, 2);
    const int closed = c->height();
    // Where the open card comes to rest.
    c->setExpanded(true);
    settle();
    EXPECT_EQ(c->height(), closed) << "it sets off from where it stood";
    clock.advance(3);
    settle();
    const int rest = c->height();
    EXPECT_GT(rest, closed + 5 * 30) << "five rows make the card taller";
    c->setExpanded(false);
    clock.advance(3);
    settle();
    EXPECT_EQ(c->height(), closed) << "closed again, back to its head";

    // Opening and closing follow the wobble spring, overshoot included.
    for (bool opening : {true, false}) {
        c->setExpanded(opening);
        double elapsed = 0;
        for (double t : {0.05, 0.15, 0.3, 0.45}) {
            const int h = heightAt(c, t - elapsed);
            elapsed = t;
            const double p = evaluateSpring(Theme::wobble, 0, 1, 0, t).value;
            const double from = opening ? closed : rest;
            const double to = opening ? rest : closed;
            EXPECT_NEAR(h, from + (to - from) * p, 1.01) << (opening ? "opening" : "closing") << " at " << t;
            if (t == 0.3) {
                EXPECT_TRUE(opening ? h > rest : h < closed) << "past its rest, as a wobble swings";
            }
        }
        clock.advance(3);
        settle();
        EXPECT_EQ(c->height(), opening ? rest : closed);
    }
}

TEST_F(CardHeightTest, aListChangedWhileTheCardOpens_endsAtTheNewListsHeight) {
    PackCard* c = gridCard(2, 0);
    const int closed = c->height();
    c->setExpanded(true);
    clock.advance(0.1);
    settle();
    const int midway = c->height();
    EXPECT_GT(midway, closed);
    // A third shortcut arrives while the card is still growing.
    Pack longer = c->state().pack;
    longer.bindings.push_back(shortcut(true));
    c->setState(PackCardState{longer, true, std::nullopt, std::nullopt, false});
    clock.advance(3);
    settle();
    const int grown = c->height();
    // A fresh card with three shortcuts, opened without motion, stands at that height.
    Motion::setInstant(true);
    PackCard* fresh = gridCard(3, 0);
    fresh->setExpanded(true);
    settle();
    EXPECT_EQ(fresh->height(), grown);
    Motion::setInstant(false);
}

TEST_F(CardHeightTest, underReduceMotionTheCardOpensAndClosesAtOnce) {
    sim.displaySettings().setReduceMotion(true);
    PackCard* c = gridCard(3, 0);
    const int closed = c->height();
    c->setExpanded(true);
    settle();
    const int open = c->height();
    EXPECT_GT(open, closed);
    clock.advance(2);
    settle();
    EXPECT_EQ(c->height(), open) << "no motion after the jump";
    c->setExpanded(false);
    settle();
    EXPECT_EQ(c->height(), closed);
}

TEST_F(PackMotionTest, theNewPackCardGrowsAndBrightensUnderThePointerWithTheSnappySpring) {
    auto owner = std::make_unique<QWidget>();
    owner->resize(400, 200);
    auto* card = new NewPackCard([] {}, owner.get());
    card->setGeometry(20, 20, 340, card->heightForWidth(340));
    owner->show();
    EXPECT_DOUBLE_EQ(card->scale(), 1);
    EXPECT_DOUBLE_EQ(card->fillOpacity(), NewPackCard::restingFill);
    EXPECT_FALSE(card->drawsAbove());

    QEnterEvent enter(QPointF(5, 5), QPointF(25, 25), QPointF(25, 25));
    QCoreApplication::sendEvent(card, &enter);
    EXPECT_TRUE(card->isHovering());
    double elapsed = 0;
    for (double t : {0.05, 0.1, 0.3}) {
        clock.advance(t - elapsed);
        elapsed = t;
        const double p = evaluateSpring(Theme::snappy, 0, 1, 0, t).value;
        EXPECT_NEAR(card->scale(), 1 + 0.01 * p, 1e-9) << t;
        EXPECT_NEAR(card->fillOpacity(), 0.45 + 0.25 * p, 1e-9) << t;
    }
    EXPECT_TRUE(card->drawsAbove()) << "grown, it is drawn where it may reach past its bounds";
    clock.advance(2);
    EXPECT_DOUBLE_EQ(card->scale(), NewPackCard::hoverScale);
    EXPECT_DOUBLE_EQ(card->fillOpacity(), NewPackCard::hoveringFill);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(card, &leave);
    clock.advance(0.1);
    const double p = evaluateSpring(Theme::snappy, 0, 1, 0, 0.1).value;
    EXPECT_NEAR(card->scale(), 1.01 - 0.01 * p, 1e-9);
    clock.advance(2);
    EXPECT_DOUBLE_EQ(card->scale(), 1);
    EXPECT_FALSE(card->drawsAbove()) << "at rest it draws itself";

    sim.displaySettings().setReduceMotion(true);
    QCoreApplication::sendEvent(card, &enter);
    EXPECT_DOUBLE_EQ(card->scale(), NewPackCard::hoverScale) << "at once under Reduce Motion";
    EXPECT_DOUBLE_EQ(card->fillOpacity(), NewPackCard::hoveringFill);
    QCoreApplication::sendEvent(card, &leave);
    EXPECT_DOUBLE_EQ(card->scale(), 1);
}

TEST_F(PackMotionTest, gridCellsGrowInGlideAndShrinkOut) {
    auto grid = std::make_unique<CardGrid>();
    const std::vector<QWidget*> cells = threeCells(*grid);
    grid->setCells({cells[0], cells[1]});
    grid->show();
    EXPECT_EQ(cells[0]->graphicsEffect(), nullptr) << "a first filling without motion";
    const QRect secondAt = cells[1]->geometry();

    // The first goes, the third comes, the second glides to the first's place.
    grid->setCells({cells[1], cells[2]}, true);
    EXPECT_DOUBLE_EQ(lookOf(cells[2]).scale, CardGrid::enteringScale);
    EXPECT_DOUBLE_EQ(lookOf(cells[2]).opacity, 0);
    EXPECT_TRUE(grid->isLeaving(cells[0]));
    EXPECT_EQ(cells[1]->geometry(), secondAt) << "it sets off from where it stood";
    clock.advance(0.08);
    EXPECT_NE(cells[1]->geometry(), secondAt);
    EXPECT_NE(cells[1]->geometry(), grid->targetGeometry(cells[1]));
    EXPECT_TRUE(cells[0]->isVisible());
    EXPECT_LT(lookOf(cells[0]).opacity, 1);
    EXPECT_GT(lookOf(cells[2]).opacity, 0);
    clock.advance(2);
    EXPECT_EQ(cells[1]->geometry(), grid->targetGeometry(cells[1]));
    EXPECT_EQ(cells[1]->geometry().topLeft(), QPoint(0, 0));
    EXPECT_FALSE(cells[0]->isVisible());
    EXPECT_FALSE(grid->isLeaving(cells[0]));
    EXPECT_EQ(cells[2]->graphicsEffect(), nullptr);

    // One discarded on its way out is deleted once out of sight.
    QPointer<QWidget> gone = cells[1];
    grid->setCells({cells[2]}, true);
    grid->discard(cells[1]);
    EXPECT_FALSE(gone.isNull());
    clock.advance(2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
}

TEST_F(PackMotionTest, underReduceMotionGridCellsJumpToTheirPlacesAndOnlyFade) {
    sim.displaySettings().setReduceMotion(true);
    auto grid = std::make_unique<CardGrid>();
    const std::vector<QWidget*> cells = threeCells(*grid);
    grid->setCells({cells[0], cells[1]});
    grid->show();
    grid->setCells({cells[1], cells[2]}, true);
    EXPECT_EQ(cells[1]->geometry().topLeft(), QPoint(0, 0)) << "no glide";
    EXPECT_DOUBLE_EQ(lookOf(cells[2]).scale, 1) << "no growing";
    EXPECT_DOUBLE_EQ(lookOf(cells[2]).opacity, 0) << "but a fade";
    clock.advance(2);
    EXPECT_EQ(cells[2]->graphicsEffect(), nullptr);
    EXPECT_FALSE(cells[0]->isVisible());
}

class PacksTabMotionTest : public testing::AppModelFixture {
protected:
    PacksTabMotionTest() {
        testing::qtApp();
        apps.installed = {"com.apple.Safari"};
        apps.names = {{"com.apple.Safari", "Safari"}};
        AppConfig config;
        config.enabledPacks = {"everyday-mac"};
        writeConfig(config);
        makeModel();
        PacksTabParts parts;
        parts.directory = apps.directory();
        parts.lookup = AppLookup{};
        parts.art = [](const std::string&) { return std::vector<QImage>{}; };
        root = new QWidget;
        root->resize(900, 700);
        tab = new PacksTab(*model, root, std::move(parts));
        tab->resize(900, 700);
        root->show();
        Motion::setInstant(false);
        FrameClock::install(&clock);
    }
    ~PacksTabMotionTest() override {
        delete root;
        FrameClock::install(nullptr);
    }

    FakeApps apps;
    ManualFrameClock clock{50};
    QWidget* root = nullptr;
    PacksTab* tab = nullptr;
};

TEST_F(PacksTabMotionTest, theButtonThatListsHiddenPacksFadesAsTheirCardsGrowIn) {
    PillButton* more = tab->moreButton();
    ASSERT_TRUE(more->isVisible());
    const std::size_t before = tab->cards().size();
    more->click();
    ASSERT_GT(tab->cards().size(), before);
    PackCard* chrome = tab->card("chrome");
    ASSERT_NE(chrome, nullptr);
    EXPECT_DOUBLE_EQ(lookOf(chrome).scale, CardGrid::enteringScale);
    EXPECT_TRUE(more->isVisible()) << "the button fades rather than vanishing";
    clock.advance(0.08);
    EXPECT_GT(lookOf(chrome).scale, CardGrid::enteringScale);
    EXPECT_LT(lookOf(more).opacity, 1);
    clock.advance(2);
    EXPECT_FALSE(more->isVisible());
    EXPECT_EQ(chrome->graphicsEffect(), nullptr);
}

TEST_F(PacksTabMotionTest, theEditorsPreviewSpringsToEachDraft) {
    tab->newPackCard()->click();
    PackEditor* editor = tab->editor();
    ASSERT_NE(editor, nullptr);
    auto* before = editor->findChild<QLabel*>("packEditor.previewBefore");
    ASSERT_NE(before, nullptr);
    EXPECT_FALSE(before->isVisible());
    QTest::keyClicks(editor->nameField(), "V");
    EXPECT_EQ(editor->preview()->state().pack.name, "V") << "the preview shows the draft at once";
    EXPECT_TRUE(before->isVisible()) << "what it showed fades out over it";
    EXPECT_EQ(before->geometry(), editor->preview()->geometry());
    clock.advance(0.08);
    EXPECT_GT(lookOf(before).opacity, 0);
    EXPECT_LT(lookOf(before).opacity, 1);
    clock.advance(2);
    EXPECT_FALSE(before->isVisible());
}

}  // namespace
}  // namespace velorin
