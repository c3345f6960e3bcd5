/* For trying the Windows build under Wine only. Qt's serial port on Windows waits for
 * received bytes with WaitCommEvent on an overlapped handle bound to an I/O completion port
 * and no event, and expects the port's completion packet when bytes arrive. Wine answers
 * such a wait by blocking the caller until bytes arrive and then posts no packet, so the
 * program would never read. try-under-wine points the serial module's KERNEL32 imports at
 * this DLL, which forwards every call to KERNEL32 but these two: it remembers which port a
 * handle is bound to, and does the wait on a thread of its own with an event, as Wine
 * supports, then posts the packet Windows would post. The program's code is unchanged; only
 * the test prefix's copy of the serial module is pointed at this DLL. */
#include <windows.h>

typedef struct {
    HANDLE file;
    HANDLE port;
    ULONG_PTR key;
} Binding;

static Binding bindings[16];
static CRITICAL_SECTION lock;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) InitializeCriticalSection(&lock);
    return TRUE;
}

HANDLE WINAPI ShimCreateIoCompletionPort(HANDLE file, HANDLE existing, ULONG_PTR key,
                                         DWORD threads) {
    HANDLE port = CreateIoCompletionPort(file, existing, key, threads);
    if (port && file != INVALID_HANDLE_VALUE) {
        EnterCriticalSection(&lock);
        int free = -1;
        for (int i = 0; i < 16; ++i) {
            if (bindings[i].file == file || (free < 0 && !bindings[i].file)) free = i;
            if (bindings[i].file == file) break;
        }
        if (free >= 0) bindings[free] = (Binding){file, port, key};
        LeaveCriticalSection(&lock);
    }
    return port;
}

static BOOL FindBinding(HANDLE file, Binding *found) {
    BOOL known = FALSE;
    EnterCriticalSection(&lock);
    for (int i = 0; i < 16 && !known; ++i) {
        if (bindings[i].file == file) {
            *found = bindings[i];
            known = TRUE;
        }
    }
    LeaveCriticalSection(&lock);
    return known;
}

typedef struct {
    Binding binding;
    DWORD *mask;
    OVERLAPPED *overlapped;
} Wait;

static DWORD WINAPI WaitAndPost(LPVOID argument) {
    Wait *wait = argument;
    OVERLAPPED own = {0};
    own.hEvent = CreateEventW(NULL, TRUE, FALSE, NULL);
    DWORD mask = 0, size = 0;
    BOOL done = WaitCommEvent(wait->binding.file, &mask, &own);
    if (!done && GetLastError() == ERROR_IO_PENDING)
        done = GetOverlappedResult(wait->binding.file, &own, &size, TRUE);
    CloseHandle(own.hEvent);
    /* A wait ended without an event (the mask changed, the handle closed) completes with
     * no bytes; the serial module then reads, finds nothing and waits again. */
    *wait->mask = done ? mask : 0;
    wait->overlapped->Internal = 0;
    wait->overlapped->InternalHigh = sizeof(DWORD);
    PostQueuedCompletionStatus(wait->binding.port, sizeof(DWORD), wait->binding.key,
                               wait->overlapped);
    HeapFree(GetProcessHeap(), 0, wait);
    return 0;
}

BOOL WINAPI ShimWaitCommEvent(HANDLE file, DWORD *mask, OVERLAPPED *overlapped) {
    Binding binding;
    if (!overlapped || overlapped->hEvent || !FindBinding(file, &binding))
        return WaitCommEvent(file, mask, overlapped);
    Wait *wait = HeapAlloc(GetProcessHeap(), 0, sizeof *wait);
    *wait = (Wait){binding, mask, overlapped};
    HANDLE thread = CreateThread(NULL, 0, WaitAndPost, wait, 0, NULL);
    if (!thread) {
        HeapFree(GetProcessHeap(), 0, wait);
        return FALSE;
    }
    CloseHandle(thread);
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}
