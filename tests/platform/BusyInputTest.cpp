// User input during BusyWork, on a real X display (busy-input.sh starts one): a click and a
// close made while the work runs wait until it is done, then are handled in full. The
// offscreen platform has no input of its own to hold back, so this needs X.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include <unistd.h>

#include "platform/BusyWork.h"
#include "platform/Forms.h"

// Last: Xlib's macros would clash with the names above.
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;

class Window : public QWidget {
public:
    std::atomic<int> closes{0};

protected:
    void closeEvent(QCloseEvent*) override { ++closes; }
};

/// Runs the application's events, input included, until `done` holds or five seconds pass.
template <class Done> void ProcessUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(5ms);
    }
}

/// CPU time the main thread has used, in clock ticks.
long MainThreadTicks() {
    std::ifstream stat("/proc/self/task/" + std::to_string(getpid()) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(all.substr(all.rfind(')') + 2)); // the name may hold spaces
    std::string field;
    long user = 0;
    long system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stol(field);
        if (i == 15)
            system = std::stol(field);
    }
    return user + system;
}

/// What a window manager sends when the user closes a window.
void SendDeleteWindow(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
}

TEST(BusyWorkInput, AClickAndACloseMadeDuringTheWorkAreHandledAfterIt) {
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display (busy-input.sh starts one)";
    Window window;
    window.setGeometry(100, 100, 200, 100);
    QPushButton button("Press", &window);
    button.setGeometry(50, 30, 100, 40);
    std::atomic<int> clicks{0};
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    ProcessUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); });
    ASSERT_TRUE(window.windowHandle()->isExposed());
    const QPoint target = button.mapToGlobal(button.rect().center());
    const unsigned long id = window.winId();
    long waitTicks = 0;

    // The work makes the click and the close itself, then gives Qt time to read them.
    const bool heldBack = BusyWork([&] {
        const std::string click = "xdotool mousemove " + std::to_string(target.x()) + " " +
                                  std::to_string(target.y()) + " click 1";
        const bool clicked = std::system(click.c_str()) == 0;
        SendDeleteWindow(id);
        const long before = MainThreadTicks();
        std::this_thread::sleep_for(500ms);
        waitTicks = MainThreadTicks() - before;
        return clicked && clicks == 0 && window.closes == 0;
    });
    EXPECT_TRUE(heldBack) << clicks << " clicks, " << window.closes << " closes during the work";
    // Input waiting to be handled must not keep the main thread spinning: the work needs the
    // cores.
    EXPECT_LT(waitTicks, sysconf(_SC_CLK_TCK) / 10) << "ticks of the main thread in 0.5 s";

    ProcessUntil([&] { return clicks == 1 && window.closes == 1; });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(window.closes, 1);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (std::getenv("DISPLAY")) // X even where the offscreen platform is asked for
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
