/* Waits for a top-level window of the given size to be mapped on the
 * display, then for its pixels to settle (unchanged for 150 ms), and prints
 * the wall-clock time of the map and of the last change, in nanoseconds:
 * the window on screen, and its content painted. Started before the click,
 * it sees both as they happen, where polling with xdotool or xwininfo (a
 * process each time) lags by tens of ms.
 *   waitwindow WIDTH HEIGHT [timeout seconds] */
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static int ignore(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0;
}

/* A checksum of the window's pixels; 0 while they cannot be read. */
static unsigned long long pixels(Display *d, Window w, int width, int height)
{
    XImage *img = XGetImage(d, w, 0, 0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    unsigned long long h = 1469598103934665603ULL;
    const size_t n = (size_t)img->bytes_per_line * (size_t)img->height;
    for (size_t i = 0; i < n; ++i)
        h = (h ^ (unsigned char)img->data[i]) * 1099511628211ULL;
    XDestroyImage(img);
    return h;
}

static long long now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const int width = atoi(argv[1]), height = atoi(argv[2]);
    const long long deadline = now() + (argc > 3 ? atoll(argv[3]) : 30) * 1000000000LL;
    Display *d = XOpenDisplay(NULL);
    if (!d)
        return 2;
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    /* Ready: the caller may click now. */
    printf("ready\n");
    fflush(stdout);
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    while (now() < deadline) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type != MapNotify)
                continue;
            XWindowAttributes a;
            if (XGetWindowAttributes(d, e.xmap.window, &a) && a.width == width && a.height == height) {
                const long long mapped = now();
                long long changed = mapped;
                unsigned long long last = 0;
                XSetErrorHandler(ignore);
                while (now() - changed < 150000000LL && now() < deadline) {
                    const unsigned long long h = pixels(d, e.xmap.window, width, height);
                    if (h != last) {
                        last = h;
                        changed = now();
                    }
                    nanosleep(&(struct timespec){0, 2000000}, NULL);
                }
                printf("%lld %lld\n", mapped, changed);
                return 0;
            }
        }
        poll(&p, 1, 100);
    }
    return 1;
}
