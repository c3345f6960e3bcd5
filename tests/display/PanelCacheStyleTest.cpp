#include "display/PanelCacheStyle.h"

#include <QBackingStore>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <string_view>
#include <vector>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Count;
        return false;
    }
};

// A line edit in a group box on a tab page, as the window's value boxes sit.
struct Column {
    QTabWidget* Tabs;
    QGroupBox* Group;
    QLineEdit* Edit;

    explicit Column(QWidget* window) : Tabs(new QTabWidget(window)) {
        auto* page = new QWidget;
        Tabs->addTab(page, QStringLiteral("page"));
        Group = new QGroupBox(QStringLiteral("group"), page);
        (new QHBoxLayout(page))->addWidget(Group);
        Edit = new QLineEdit(QStringLiteral("-0.563"), Group);
        Edit->setReadOnly(true);
        (new QHBoxLayout(Group))->addWidget(Edit);
        window->layout()->addWidget(Tabs);
    }

    // The edit as it is on screen: its pixels in the window's backing store.
    QImage OnScreen() const {
        const auto* store =
            static_cast<const QImage*>(Edit->window()->backingStore()->paintDevice());
        return store->copy(QRect(Edit->mapTo(Edit->window(), QPoint()), Edit->size()));
    }
};

} // namespace

// A line edit drawn with the cached panel looks as one drawn by the application's style, in
// every state, size and palette it passes through: a cached panel never outlives its looks,
// and what lies behind a box never outlives what its ancestors paint.
class PanelCacheStyleTest : public QObject {
    Q_OBJECT
    PanelCacheStyle Cached;

private slots:
    void CachedPanelsLookAsDrawnOnesThroughStateSizeAndPaletteChanges() {
        QLineEdit drawn, cached;
        cached.setStyle(&Cached);
        const std::vector<std::pair<const char*, std::function<void(QLineEdit&)>>> steps = {
            {"at first", [](QLineEdit&) {}},
            {"disabled", [](QLineEdit& edit) { edit.setEnabled(false); }},
            {"enabled again", [](QLineEdit& edit) { edit.setEnabled(true); }},
            {"taller", [](QLineEdit& edit) { edit.resize(160, 72); }},
            {"red base",
             [](QLineEdit& edit) {
                 QPalette palette = edit.palette();
                 palette.setColor(QPalette::Base, Qt::red);
                 edit.setPalette(palette);
             }},
            {"read-only", [](QLineEdit& edit) { edit.setReadOnly(true); }},
            {"no frame", [](QLineEdit& edit) { edit.setFrame(false); }},
        };
        for (QLineEdit* edit : {&drawn, &cached}) {
            edit->resize(120, 30);
            edit->setText(QStringLiteral("-0.563"));
        }
        for (const auto& [name, change] : steps) {
            // Each edit twice: the second paint copies what the first one cached.
            for (QLineEdit* edit : {&drawn, &cached})
                change(*edit);
            const QImage expected = drawn.grab().toImage();
            cached.grab();
            QVERIFY2(cached.grab().toImage() == expected, name);
        }
    }

    // A box inside a window turns opaque once it has painted, so that a new text repaints it
    // alone; on screen it still shows what a box of the plain style shows over the same
    // ancestors, also after what lies behind it changes.
    void BoxRepaintsAloneAndLooksAsOverItsAncestors() {
        QWidget window;
        new QHBoxLayout(&window);
        const Column drawn(&window), cached(&window);
        cached.Edit->setStyle(&Cached);
        window.resize(500, 160);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintCounter edits(cached.Edit), groups(cached.Group), drawnEdits(drawn.Edit);
        QTRY_VERIFY_WITH_TIMEOUT(cached.Edit->testAttribute(Qt::WA_OpaquePaintEvent), 10000);

        const std::vector<std::pair<const char*, std::function<void(const Column&)>>> steps = {
            {"new text", [](const Column& c) { c.Edit->setText(QStringLiteral("-0.571")); }},
            {"another text", [](const Column& c) { c.Edit->setText(QStringLiteral("12.5")); }},
            {"disabled", [](const Column& c) { c.Edit->setEnabled(false); }},
            {"enabled again", [](const Column& c) { c.Edit->setEnabled(true); }},
            {"group box tinted",
             [](const Column& c) {
                 QPalette palette = c.Group->palette();
                 palette.setColor(QPalette::Window, QColor(255, 240, 200));
                 c.Group->setPalette(palette);
             }},
            {"moved", [](const Column& c) { c.Group->layout()->setContentsMargins(20, 30, 5, 5); }},
            {"text after the move",
             [](const Column& c) { c.Edit->setText(QStringLiteral("-0.575")); }},
        };
        for (const auto& [name, change] : steps) {
            const int painted = edits.Count, drawnPainted = drawnEdits.Count;
            const int groupPainted = groups.Count;
            change(drawn);
            change(cached);
            // A box that has to show its ancestors' new pixels lets them paint once more, and
            // then turns opaque again.
            QTRY_VERIFY2_WITH_TIMEOUT(edits.Count > painted && drawnEdits.Count > drawnPainted &&
                                          cached.Edit->testAttribute(Qt::WA_OpaquePaintEvent),
                                      name, 10000);
            QVERIFY2(cached.OnScreen() == drawn.OnScreen(), name);
            if (std::string_view(name).find("text") != std::string_view::npos)
                QVERIFY2(groups.Count == groupPainted, name);
        }
    }
};

QTEST_MAIN(PanelCacheStyleTest)
#include "PanelCacheStyleTest.moc"
