#include "app/FreeHeap.h"

#include <QTimer>
#ifdef __GLIBC__
#include <malloc.h>
#endif

void ReturnFreeHeapSoon() {
#ifdef __GLIBC__
    QTimer::singleShot(0, [] { malloc_trim(0); });
#endif
}
