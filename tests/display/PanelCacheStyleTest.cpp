#include "display/PanelCacheStyle.h"

#include <QLineEdit>
#include <QTest>
#include <functional>
#include <vector>

// A line edit drawn with the cached panel looks as one drawn by the application's style, in
// every state, size and palette it passes through: a cached panel never outlives its looks.
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
};

QTEST_MAIN(PanelCacheStyleTest)
#include "PanelCacheStyleTest.moc"
