#include "app/ProgramFont.h"

#include <QApplication>
#include <QFont>

namespace {

// Qt draws text larger than 64 pixels as outlines filled anew on every paint, loading and
// hinting each glyph again; projector mode shows the live values at a fifteenth of the screen
// height, 72 pixels on a full-HD screen, redrawn 25 times a second. Up to this size glyphs are
// drawn from Qt's glyph cache, rendered once. Qt reads the limit once, at the first text drawn.
constexpr const char* CachedGlyphLimit = "160";

} // namespace

void ApplyProgramFont(QApplication& application) {
    if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE"))
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", CachedGlyphLimit);
    QFont font(QStringLiteral("Tahoma"));
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Malgun Gothic"),
                      QStringLiteral("Noto Sans CJK KR")});
    application.setFont(font);
}
