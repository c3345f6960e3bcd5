#include "display/LargeValuePainter.h"

#include <QLineEdit>
#include <QTest>
#include <functional>
#include <vector>

namespace {

// The largest difference of a colour channel between two images of one size.
int LargestDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y), q = right.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

QFont Bold(int pixels) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

void SetTextColour(QLineEdit& edit, const QColor& colour) {
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Text, colour);
    edit.setPalette(palette);
}

void SetRegularWeight(QLineEdit& edit) {
    QFont font = edit.font();
    font.setBold(false);
    edit.setFont(font);
}

using Step = std::pair<const char*, std::function<void(QLineEdit&)>>;

} // namespace

// A value box drawn from glyph images looks as the line edit draws itself, through every change
// of text, type, size, colour and state: a cached glyph never outlives its looks, and each lands
// where the edit would put it.
class LargeValuePainterTest : public QObject {
    Q_OBJECT

    // Rounding of the blend of a copied glyph against one filled in place.
    static constexpr int Tolerance = 3;

    // Applies each step to an edit drawn by itself and one drawn by the painter, and compares.
    // Returns the glyph images the painter holds after each step.
    static std::vector<qsizetype> Compare(const std::vector<Step>& steps, bool exact = false) {
        LargeValuePainter painter;
        QLineEdit drawn, cached;
        painter.Watch(&cached);
        for (QLineEdit* edit : {&drawn, &cached}) {
            edit->setFont(Bold(72));
            edit->resize(330, 90);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            edit->setReadOnly(true);
            edit->setText(QStringLiteral("-0.563"));
        }
        std::vector<qsizetype> held;
        for (const auto& [name, change] : steps) {
            for (QLineEdit* edit : {&drawn, &cached})
                change(*edit);
            const QImage expected = drawn.grab().toImage();
            // Twice: the second paint copies what the first one cached.
            cached.grab();
            const QImage image = cached.grab().toImage();
            if (image.size() != expected.size()) QTest::qFail(name, __FILE__, __LINE__);
            const int difference = LargestDifference(image, expected);
            if (difference > (exact ? 0 : Tolerance)) {
                image.save(QStringLiteral("cached-%1.png").arg(held.size()));
                expected.save(QStringLiteral("drawn-%1.png").arg(held.size()));
                QTest::qFail(
                    qPrintable(QStringLiteral("%1: differs by %2").arg(name).arg(difference)),
                    __FILE__, __LINE__);
            }
            held.push_back(painter.CachedGlyphs());
        }
        return held;
    }

private slots:
    void CopiedGlyphsLookAsDrawnOnesThroughTextTypeColourAndStateChanges() {
        const std::vector<Step> steps = {
            {"at first", [](QLineEdit&) {}},
            {"new digits", [](QLineEdit& edit) { edit.setText(QStringLiteral("12.07")); }},
            {"disabled (grey)", [](QLineEdit& edit) { edit.setEnabled(false); }},
            {"enabled again", [](QLineEdit& edit) { edit.setEnabled(true); }},
            {"larger type", [](QLineEdit& edit) { edit.setFont(Bold(90)); }},
            {"regular weight", SetRegularWeight},
            {"red text", [](QLineEdit& edit) { SetTextColour(edit, Qt::red); }},
            {"taller box", [](QLineEdit& edit) { edit.resize(330, 140); }},
            {"centred", [](QLineEdit& edit) { edit.setAlignment(Qt::AlignCenter); }},
            {"left and at the top",
             [](QLineEdit& edit) { edit.setAlignment(Qt::AlignLeft | Qt::AlignTop); }},
            {"right and at the bottom",
             [](QLineEdit& edit) { edit.setAlignment(Qt::AlignRight | Qt::AlignBottom); }},
            {"text margins", [](QLineEdit& edit) { edit.setTextMargins(7, 3, 5, 0); }},
            {"no frame", [](QLineEdit& edit) { edit.setFrame(false); }},
            {"editable", [](QLineEdit& edit) { edit.setReadOnly(false); }},
        };
        const std::vector<qsizetype> held = Compare(steps);
        // The painter drew them: each new text, type or colour brought glyphs of its own.
        QVERIFY(held[0] > 0);
        QVERIFY(held[1] > held[0]);
        QVERIFY(held[2] > held[1]);
        QCOMPARE(held[3], held[2]);
        QVERIFY(held[4] > held[3]);
        QVERIFY(held[5] > held[4]);
        QVERIFY(held[6] > held[5]);
    }

    // A text laid out before is drawn from the kept layout, which belongs to its text and its
    // type: a text coming back, the same text at another size or weight, and another text at
    // the first type again each land where the edit puts them.
    void KeptLayoutsBelongToTextAndType() {
        const std::vector<Step> steps = {
            {"new digits", [](QLineEdit& edit) { edit.setText(QStringLiteral("-0.571")); }},
            {"the first text again",
             [](QLineEdit& edit) { edit.setText(QStringLiteral("-0.563")); }},
            {"larger type", [](QLineEdit& edit) { edit.setFont(Bold(90)); }},
            {"regular weight", SetRegularWeight},
            {"the first type again", [](QLineEdit& edit) { edit.setFont(Bold(72)); }},
            {"the second text again",
             [](QLineEdit& edit) { edit.setText(QStringLiteral("-0.571")); }},
        };
        Compare(steps);
    }

    // Type Qt caches itself, and what only the edit knows how to draw (a text scrolled in a
    // box too narrow for it, a selection), stay the edit's own drawing, pixel for pixel.
    void LeavesSmallTypeAndScrolledOrSelectedTextToTheEdit() {
        const std::vector<Step> steps = {
            {"type Qt caches",
             [](QLineEdit& edit) { edit.setFont(Bold(LargeValuePainter::QtCachedGlyphLimit)); }},
            {"too narrow",
             [](QLineEdit& edit) {
                 edit.setFont(Bold(72));
                 edit.resize(120, 90);
             }},
            {"selected",
             [](QLineEdit& edit) {
                 edit.resize(330, 90);
                 edit.selectAll();
             }},
        };
        const std::vector<qsizetype> held = Compare(steps, true);
        QCOMPARE(held, std::vector<qsizetype>(steps.size(), 0));
    }
};

QTEST_MAIN(LargeValuePainterTest)
#include "LargeValuePainterTest.moc"
