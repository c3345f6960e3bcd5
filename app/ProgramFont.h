#pragma once

class QApplication;

// The program's font: the form's Tahoma, with Korean fonts after it for the Hangul texts. The
// large values of projector mode are drawn from the glyph cache as small text is. Call it
// before anything is drawn.
void ApplyProgramFont(QApplication& application);
