#include "app/FreeHeap.h"

#include <QTest>
#include <fstream>
#include <memory>
#include <vector>

namespace {

// The pages of this process in memory, in kB.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        long kilobytes = 0;
        if (key == "VmRSS:" && status >> kilobytes) return kilobytes;
    }
    return -1;
}

} // namespace

// Blocks freed amid blocks still in use go back to the system once the event loop comes round.
class FreeHeapTest : public QObject {
    Q_OBJECT
private slots:
    void FreedBlocksAmidKeptOnesLeaveMemory() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer's allocator keeps freed pages itself");
#endif
#ifndef __GLIBC__
        QSKIP("the heap is glibc's only on Linux");
#endif
        // 16 MB in small blocks, every 64th kept, so that the heap cannot shrink at its top.
        constexpr int Blocks = 8192, Size = 2048, KeptEvery = 64;
        std::vector<std::unique_ptr<char[]>> blocks;
        for (int i = 0; i < Blocks; ++i) {
            blocks.push_back(std::make_unique<char[]>(Size));
            std::fill_n(blocks.back().get(), Size, char(i));
        }
        for (int i = 0; i < Blocks; ++i)
            if (i % KeptEvery != 0) blocks[i].reset();
        const long before = ResidentKilobytes();
        ReturnFreeHeapSoon();
        // Most of the 16 MB, less the pages the kept blocks hold.
        QTRY_VERIFY_WITH_TIMEOUT(ResidentKilobytes() < before - 8 * 1024, 10000);
    }
};

QTEST_MAIN(FreeHeapTest)
#include "FreeHeapTest.moc"
