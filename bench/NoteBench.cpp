// Time to turn a 10 MB note into the note window's text, for note shapes that once took
// quadratic time or built an unbounded text: CP949 lead bytes followed by plain letters,
// one endless paragraph, escaped Hangul and deeply nested groups; and plain text, as one
// endless line and as many short ones in either code page.
#include "files/PlainNote.h"
#include "files/RtfReader.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr std::size_t NoteSize = 10 << 20;

std::string NoteOf(const std::string& piece, std::string note = "{\\rtf1\\ansi\\ansicpg949 ") {
    while (note.size() < NoteSize)
        note += piece;
    return note + "}";
}

void ReadNote(benchmark::State& bench, const std::string& piece) {
    const std::string note = NoteOf(piece);
    for (auto _ : bench)
        benchmark::DoNotOptimize(HtmlFromRtf(note).size());
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * note.size()));
}

void ReadPlainNote(benchmark::State& bench, const std::string& piece) {
    const std::string note = NoteOf(piece, "");
    for (auto _ : bench)
        benchmark::DoNotOptimize(HtmlFromPlainText(note).size());
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * note.size()));
}

} // namespace

BENCHMARK_CAPTURE(ReadNote, LeadBytesBeforeLetters,
                  std::string("\x81"
                              "a"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadNote, OneParagraph, std::string("text and <markup> & more "))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadNote, EscapedHangul, std::string("\\'b0\\'a1\\b \\'b3\\'aa\\b0 \\par "))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadNote, NestedGroups, std::string("{\\i x"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadNote, SkippedTable, std::string("{\\fonttbl abc \\'b0\\'a1}"))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(ReadPlainNote, OneLine, std::string("가 <text> & more "))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPlainNote, ShortLinesCp949, std::string("\xb0\xa1 a line\r\n"))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
