/* For trying the Windows build under Wine against the simulator only: a pseudo-terminal has
 * no modem lines, so the modem-status calls Wine makes for a COM port fail on it, and Wine
 * then ends every wait for received bytes without an event. Preloaded into Wine, this
 * answers those calls for a pseudo-terminal as a serial port with its lines up would, and
 * leaves every other call and file alone. A real port never sees it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

/* Unix 98 pseudo-terminal slaves have majors 136 to 143. */
static int IsPseudoTerminal(int fd) {
    struct stat status;
    return fstat(fd, &status) == 0 && S_ISCHR(status.st_mode) &&
           major(status.st_rdev) >= 136 && major(status.st_rdev) <= 143;
}

int ioctl(int fd, unsigned long request, ...) {
    static int (*next)(int, unsigned long, ...);
    if (!next) next = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);
    const int saved = errno;
    const int result = next(fd, request, argument);
    if (result != -1 || !IsPseudoTerminal(fd)) return result;
    switch (request) {
    case TIOCMGET:
        *(int *)argument = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;
        break;
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
        break; /* DTR and RTS: nothing to switch on a pseudo-terminal */
    default:
        return result;
    }
    errno = saved;
    return 0;
}
