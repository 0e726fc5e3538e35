// SPDX-License-Identifier: Apache-2.0
// Starts a command and measures, on the X display, how long its windows take
// to appear: from exec to the first top-level window being mapped, and, with
// --click X,Y, from a synthetic click at (X, Y) inside that window to the next
// top-level window being mapped. Prints the milliseconds, one per line, then
// ends the command, at once or, with --linger MS, after letting it run for
// another MS milliseconds (to paint, say). With --stop, the command is stopped
// (SIGSTOP) as soon as its first window is mapped and its process id goes to
// standard error, so that /proc/PID shows its memory at that moment for the
// --linger time.
//
//   mapwait [--click X,Y] [--linger MS] [--stop] [--timeout S] -- command [args...]
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Waits for a top-level window (a child of the root) to be mapped; returns it,
// or 0 after the deadline.
static Window wait_for_map(Display* display, double deadline)
{
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)
                && !event.xmap.override_redirect)
                return event.xmap.window;
        }
        const double left = deadline - now_ms();
        if (left <= 0)
            return 0;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        struct timeval tv = {(time_t)(left / 1000), (suseconds_t)((long)left % 1000) * 1000};
        select(fd + 1, &fds, NULL, NULL, &tv);
    }
}

int main(int argc, char** argv)
{
    int click = 0, click_x = 0, click_y = 0, linger_ms = 0, stop = 0;
    double timeout_s = 30;
    int i = 1;
    for (; i < argc && strcmp(argv[i], "--") != 0; ++i) {
        if (strcmp(argv[i], "--click") == 0 && i + 1 < argc) {
            click = sscanf(argv[++i], "%d,%d", &click_x, &click_y) == 2;
        } else if (strcmp(argv[i], "--stop") == 0) {
            stop = 1;
        } else if (strcmp(argv[i], "--linger") == 0 && i + 1 < argc) {
            linger_ms = atoi(argv[++i]);
        } else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
            timeout_s = atof(argv[++i]);
        } else {
            fprintf(stderr, "usage: mapwait [--click X,Y] [--linger MS] [--stop] [--timeout S] -- command [args...]\n");
            return 2;
        }
    }
    if (i + 1 >= argc) {
        fprintf(stderr, "mapwait: no command\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "mapwait: cannot open the display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[i + 1], argv + i + 1);
        _exit(127);
    }
    int status = 0;
    const Window first = wait_for_map(display, start + timeout_s * 1000);
    if (!first) {
        fprintf(stderr, "mapwait: no window within %.0f s\n", timeout_s);
        status = 1;
    } else {
        if (stop) {
            kill(child, SIGSTOP);
            fprintf(stderr, "%d\n", (int)child);
        }
        printf("%.3f\n", now_ms() - start);
        if (click) {
            // Let the window take its first paint and input before the click.
            XSync(display, False);
            usleep(300 * 1000);
            int root_x = 0, root_y = 0;
            Window unused;
            XTranslateCoordinates(display, first, DefaultRootWindow(display), click_x, click_y, &root_x, &root_y,
                                  &unused);
            XTestFakeMotionEvent(display, -1, root_x, root_y, CurrentTime);
            XSync(display, False);
            const double clicked = now_ms();
            XTestFakeButtonEvent(display, 1, True, CurrentTime);
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
            XFlush(display);
            if (wait_for_map(display, clicked + timeout_s * 1000)) {
                printf("%.3f\n", now_ms() - clicked);
            } else {
                fprintf(stderr, "mapwait: no second window after the click\n");
                status = 1;
            }
        }
    }
    fflush(stdout);
    if (linger_ms > 0)
        usleep((useconds_t)linger_ms * 1000);
    kill(child, SIGTERM);
    if (stop)
        kill(child, SIGCONT);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    return status;
}
