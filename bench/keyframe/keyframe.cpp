// SPDX-License-Identifier: GPL-3.0-or-later
// Key-to-frame latency, measured from outside as a user sees it: a key is pressed through
// XTest and the time runs until the X server reports the program's window drawn (DAMAGE).
//
//   keyframe [--presses N] [--seed S] [--json] NAME=DISPLAY:PID ...
//   keyframe --watch SECONDS [--json] NAME=DISPLAY:PID ...
//
// Each target is a program already showing its window on its own X server (one server per
// program, so that no program sees focus move to another). The presses go round the targets
// in turn, at irregular intervals, so that all of them see the same machine load. The keys
// are keypad digits with Num Lock on and, every ninth key, Home (all clear in vantoro).
//
// Per press: the time from the key event to the first damage, the area drawn for the press
// and for the release (the union of the damaged rectangles), and the processor time the
// program used for the press and its release (all its threads, from /proc).
//
// --watch presses nothing: it counts the drawings of each window over SECONDS (a program
// left alone should draw nothing) and the processor time the program used meanwhile.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { MaxTargets = 8 };

typedef struct {
    const char *name;
    const char *display_name;
    int pid;
    Display *dpy;
    Window win;
    Damage damage;
    int damage_event;
    XserverRegion region, total;
    KeyCode digits[10], all_clear;
    // results, one slot per press
    double *latency_ms; // < 0: the press drew nothing
    double *cpu_ms;
    long *press_area, *release_area;
    int presses;
} Target;

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static void sleep_ms(double ms)
{
    struct timespec ts;
    ts.tv_sec = (time_t)(ms / 1e3);
    ts.tv_nsec = (long)((ms - (double)ts.tv_sec * 1e3) * 1e6);
    nanosleep(&ts, NULL);
}

// Processor time of every thread of the process, in milliseconds.
static double process_cpu_ms(int pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", pid);
    DIR *d = opendir(path);
    if (!d)
        return 0;
    double total = 0;
    struct dirent *e;
    while ((e = readdir(d))) {
        if (e->d_name[0] == '.')
            continue;
        char file[300];
        snprintf(file, sizeof file, "/proc/%d/task/%s/schedstat", pid, e->d_name);
        FILE *f = fopen(file, "r");
        if (!f)
            continue; // a thread that ended meanwhile
        unsigned long long ns = 0;
        if (fscanf(f, "%llu", &ns) == 1)
            total += ns / 1e6;
        fclose(f);
    }
    closedir(d);
    return total;
}

static long window_pid(Display *dpy, Window w, Atom pid_atom)
{
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char *data = NULL;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) == Success
        && data && n == 1 && format == 32)
        pid = (long)*(unsigned long *)data;
    if (data)
        XFree(data);
    return pid;
}

// The largest viewable top-level window of the process.
static Window find_window(Display *dpy, int pid)
{
    Atom pid_atom = XInternAtom(dpy, "_NET_WM_PID", False);
    Window root_ret, parent, *children = NULL;
    unsigned int n = 0;
    Window best = None;
    long best_area = 0;
    XQueryTree(dpy, DefaultRootWindow(dpy), &root_ret, &parent, &children, &n);
    for (unsigned int i = 0; i < n; ++i) {
        XWindowAttributes a;
        if (window_pid(dpy, children[i], pid_atom) != pid || !XGetWindowAttributes(dpy, children[i], &a)
            || a.map_state != IsViewable)
            continue;
        if ((long)a.width * a.height > best_area) {
            best_area = (long)a.width * a.height;
            best = children[i];
        }
    }
    if (children)
        XFree(children);
    return best;
}

static void numlock_on(Display *dpy)
{
    XModifierKeymap *map = XGetModifierMapping(dpy);
    KeyCode numlock = XKeysymToKeycode(dpy, XK_Num_Lock);
    unsigned int mask = 0;
    for (int m = 0; m < 8; ++m)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (numlock && map->modifiermap[m * map->max_keypermod + k] == numlock)
                mask = 1u << m;
    XFreeModifiermap(map);
    if (mask)
        XkbLockModifiers(dpy, XkbUseCoreKbd, mask, mask);
}

static int open_target(Target *t, int focus)
{
    t->dpy = XOpenDisplay(t->display_name);
    if (!t->dpy) {
        fprintf(stderr, "keyframe: cannot open display %s\n", t->display_name);
        return 0;
    }
    int ev, err, major, minor;
    if (!XTestQueryExtension(t->dpy, &ev, &err, &major, &minor)
        || !XDamageQueryExtension(t->dpy, &t->damage_event, &err) || !XFixesQueryExtension(t->dpy, &ev, &err)) {
        fprintf(stderr, "keyframe: %s lacks XTEST, DAMAGE or XFIXES\n", t->display_name);
        return 0;
    }
    XFixesQueryVersion(t->dpy, &major, &minor);
    XDamageQueryVersion(t->dpy, &major, &minor);
    for (int tries = 0; tries < 200 && !(t->win = find_window(t->dpy, t->pid)); ++tries)
        sleep_ms(25);
    if (!t->win) {
        fprintf(stderr, "keyframe: no window of process %d on %s\n", t->pid, t->display_name);
        return 0;
    }
    static const KeySym keypad[10] = {XK_KP_0, XK_KP_1, XK_KP_2, XK_KP_3, XK_KP_4,
                                      XK_KP_5, XK_KP_6, XK_KP_7, XK_KP_8, XK_KP_9};
    for (int d = 0; d < 10; ++d)
        t->digits[d] = XKeysymToKeycode(t->dpy, keypad[d]);
    t->all_clear = XKeysymToKeycode(t->dpy, XK_Home);
    if (focus) {
        numlock_on(t->dpy);
        XSetInputFocus(t->dpy, t->win, RevertToParent, CurrentTime);
    }
    t->damage = XDamageCreate(t->dpy, t->win, XDamageReportNonEmpty);
    t->region = XFixesCreateRegion(t->dpy, NULL, 0);
    t->total = XFixesCreateRegion(t->dpy, NULL, 0);
    XSync(t->dpy, False);
    return 1;
}

static long region_area(Display *dpy, XserverRegion r)
{
    int n = 0;
    XRectangle *rects = XFixesFetchRegion(dpy, r, &n);
    long area = 0;
    for (int i = 0; i < n; ++i)
        area += (long)rects[i].width * rects[i].height;
    if (rects)
        XFree(rects);
    return area;
}

// Waits up to `timeout` ms for damage of the window; returns the time it was seen, or -1.
static double wait_damage(Target *t, double timeout)
{
    const double end = now_ms() + timeout;
    for (;;) {
        while (XPending(t->dpy)) {
            XEvent e;
            XNextEvent(t->dpy, &e);
            if (e.type == t->damage_event + XDamageNotify) {
                const double seen = now_ms();
                // Takes the damage so far into the union and arms the next report.
                XDamageSubtract(t->dpy, t->damage, None, t->region);
                XFixesUnionRegion(t->dpy, t->total, t->total, t->region);
                XFlush(t->dpy);
                return seen;
            }
        }
        const double left = end - now_ms();
        if (left <= 0)
            return -1;
        struct pollfd p = {ConnectionNumber(t->dpy), POLLIN, 0};
        poll(&p, 1, (int)(left + 1));
    }
}

// Takes all damage until the window has been quiet for `quiet` ms.
static void settle(Target *t, double quiet)
{
    while (wait_damage(t, quiet) >= 0) {
    }
}

static long take_area(Target *t)
{
    const long area = region_area(t->dpy, t->total);
    XFixesSetRegion(t->dpy, t->total, NULL, 0);
    return area;
}

static void press_once(Target *t, KeyCode key, int slot)
{
    const double quiet = 15;
    settle(t, quiet);
    take_area(t);
    const double cpu0 = process_cpu_ms(t->pid);
    const double t0 = now_ms();
    XTestFakeKeyEvent(t->dpy, key, True, CurrentTime);
    XFlush(t->dpy);
    const double seen = wait_damage(t, 1000);
    t->latency_ms[slot] = seen < 0 ? -1 : seen - t0;
    settle(t, quiet);
    t->press_area[slot] = take_area(t);
    XTestFakeKeyEvent(t->dpy, key, False, CurrentTime);
    XFlush(t->dpy);
    settle(t, quiet);
    t->release_area[slot] = take_area(t);
    // The quiet periods are idle time of the program: they add nothing to its processor time.
    t->cpu_ms[slot] = process_cpu_ms(t->pid) - cpu0;
}

static int cmp_double(const void *a, const void *b)
{
    const double x = *(const double *)a, y = *(const double *)b;
    return x < y ? -1 : x > y;
}

static int cmp_long(const void *a, const void *b)
{
    const long x = *(const long *)a, y = *(const long *)b;
    return x < y ? -1 : x > y;
}

// Nearest-rank percentile of a sorted array.
static double pct(const double *sorted, int n, double p)
{
    if (n == 0)
        return -1;
    int k = (int)(p / 100.0 * n + 0.999999) - 1;
    if (k < 0)
        k = 0;
    if (k >= n)
        k = n - 1;
    return sorted[k];
}

static double median(double *xs, int n)
{
    qsort(xs, (size_t)n, sizeof *xs, cmp_double);
    if (n == 0)
        return -1;
    return n % 2 ? xs[n / 2] : (xs[n / 2 - 1] + xs[n / 2]) / 2;
}

static long median_long(long *xs, int n)
{
    qsort(xs, (size_t)n, sizeof *xs, cmp_long);
    return n ? xs[n / 2] : 0;
}

static void report(Target *t, int json, int last)
{
    const int n = t->presses;
    double *lat = (double *)malloc(sizeof(double) * (size_t)n);
    int drawn = 0;
    for (int i = 0; i < n; ++i)
        if (t->latency_ms[i] >= 0)
            lat[drawn++] = t->latency_ms[i];
    const double med = median(lat, drawn);
    double cpu_total = 0;
    for (int i = 0; i < n; ++i)
        cpu_total += t->cpu_ms[i];
    const double cpu_med = median(t->cpu_ms, n);
    long area_max = 0;
    for (int i = 0; i < n; ++i)
        if (t->press_area[i] > area_max)
            area_max = t->press_area[i];
    const long press_area = median_long(t->press_area, n), release_area = median_long(t->release_area, n);
    if (json) {
        printf("  \"%s\": {\"presses\": %d, \"nothing_drawn\": %d, \"min\": %.4f, \"median\": %.4f, \"p90\": %.4f,"
               " \"p99\": %.4f, \"max\": %.4f, \"cpu_per_key\": %.4f, \"cpu_median\": %.4f,"
               " \"press_area\": %ld, \"press_area_max\": %ld, \"release_area\": %ld}%s\n",
               t->name, n, n - drawn, drawn ? lat[0] : -1, med, pct(lat, drawn, 90), pct(lat, drawn, 99),
               drawn ? lat[drawn - 1] : -1, cpu_total / n, cpu_med, press_area, area_max, release_area,
               last ? "" : ",");
    } else {
        printf("%-14s %5d %4d %7.3f %7.3f %7.3f %7.3f %7.3f %8.3f %8ld %8ld\n", t->name, n, n - drawn,
               drawn ? lat[0] : -1, med, pct(lat, drawn, 90), pct(lat, drawn, 99), drawn ? lat[drawn - 1] : -1,
               cpu_total / n, press_area, release_area);
    }
    free(lat);
}

// Counts the damage reports of every window over `seconds`; each report is a drawing that
// followed the last one by more than the X round trip.
static void watch(Target *targets, int count, double seconds, int json)
{
    double cpu0[MaxTargets];
    int drawings[MaxTargets] = {0};
    long area[MaxTargets] = {0};
    for (int i = 0; i < count; ++i) {
        settle(&targets[i], 50);
        take_area(&targets[i]);
        cpu0[i] = process_cpu_ms(targets[i].pid);
    }
    const double end = now_ms() + seconds * 1e3;
    for (double left; (left = end - now_ms()) > 0;) {
        struct pollfd p[MaxTargets];
        for (int i = 0; i < count; ++i) {
            p[i].fd = ConnectionNumber(targets[i].dpy);
            p[i].events = POLLIN;
            p[i].revents = 0;
        }
        poll(p, (nfds_t)count, (int)(left + 1));
        for (int i = 0; i < count; ++i) {
            while (wait_damage(&targets[i], 0) >= 0)
                ++drawings[i];
            area[i] += take_area(&targets[i]);
        }
    }
    if (json)
        printf("{\n");
    else
        printf("%-14s %9s %12s %12s\n", "program", "drawings", "pixels", "cpu ms");
    for (int i = 0; i < count; ++i) {
        const double cpu = process_cpu_ms(targets[i].pid) - cpu0[i];
        if (json)
            printf("  \"%s\": {\"seconds\": %g, \"drawings\": %d, \"pixels\": %ld, \"cpu_ms\": %.3f}%s\n",
                   targets[i].name, seconds, drawings[i], area[i], cpu, i == count - 1 ? "" : ",");
        else
            printf("%-14s %9d %12ld %12.3f\n", targets[i].name, drawings[i], area[i], cpu);
    }
    if (json)
        printf("}\n");
}

int main(int argc, char **argv)
{
    int presses = 200, json = 0;
    double watch_seconds = 0;
    unsigned seed = 1;
    Target targets[MaxTargets];
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--presses") && i + 1 < argc) {
            presses = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--seed") && i + 1 < argc) {
            seed = (unsigned)strtoul(argv[++i], NULL, 10);
        } else if (!strcmp(argv[i], "--watch") && i + 1 < argc) {
            watch_seconds = atof(argv[++i]);
        } else if (!strcmp(argv[i], "--json")) {
            json = 1;
        } else if (strchr(argv[i], '=') && count < MaxTargets) {
            // NAME=DISPLAY:PID, the display itself holding a colon
            Target *t = &targets[count++];
            memset(t, 0, sizeof *t);
            char *target = strdup(argv[i]);
            char *eq = strchr(target, '='), *colon = strrchr(target, ':');
            if (!colon || colon < eq) {
                fprintf(stderr, "keyframe: target %s is not NAME=DISPLAY:PID\n", argv[i]);
                return 2;
            }
            *eq = *colon = '\0';
            t->name = target;
            t->display_name = eq + 1;
            t->pid = atoi(colon + 1);
        } else {
            fprintf(stderr,
                    "usage: keyframe [--presses N | --watch SECONDS] [--seed S] [--json] NAME=DISPLAY:PID ...\n");
            return 2;
        }
    }
    if (count == 0 || presses <= 0) {
        fprintf(stderr, "usage: keyframe [--presses N | --watch SECONDS] [--seed S] [--json] NAME=DISPLAY:PID ...\n");
        return 2;
    }
    for (int i = 0; i < count; ++i) {
        Target *t = &targets[i];
        if (!open_target(t, watch_seconds <= 0))
            return 1;
        t->latency_ms = (double *)calloc((size_t)presses, sizeof(double));
        t->cpu_ms = (double *)calloc((size_t)presses, sizeof(double));
        t->press_area = (long *)calloc((size_t)presses, sizeof(long));
        t->release_area = (long *)calloc((size_t)presses, sizeof(long));
        t->presses = presses;
    }
    if (watch_seconds > 0) {
        watch(targets, count, watch_seconds, json);
        return 0;
    }
    sleep_ms(300); // focus and activation drawn before the first press
    srand(seed);
    for (int p = 0; p < presses; ++p) {
        const int digit = rand() % 10;
        for (int k = 0; k < count; ++k) {
            // Every other round the other way round, so no target always comes first.
            Target *t = &targets[p % 2 ? count - 1 - k : k];
            sleep_ms(5 + rand() % 30); // irregular intervals: no rhythm for a timer to fall into
            press_once(t, p % 9 == 8 ? t->all_clear : t->digits[digit], p);
        }
    }
    if (json) {
        printf("{\n");
    } else {
        printf("key to first damage in ms; processor time per key (press and release) in ms; damaged pixels\n");
        printf("%-14s %5s %4s %7s %7s %7s %7s %7s %8s %8s %8s\n", "program", "keys", "none", "min", "median", "p90",
               "p99", "max", "cpu/key", "press", "release");
    }
    for (int i = 0; i < count; ++i)
        report(&targets[i], json, i == count - 1);
    if (json)
        printf("}\n");
    return 0;
}
