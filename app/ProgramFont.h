#pragma once

class QApplication;

// The program's font: the form's Tahoma, with Korean fonts after it for the Hangul texts.
void ApplyProgramFont(QApplication& application);
