// screen_grab WINDOW OUT.png [X,Y | X,Y,W,H ...]: saves a picture of the X window WINDOW (an
// id as xwininfo prints it) to OUT.png ("-" saves none), prints its size, then for each point its colour as
// #rrggbb and for each rectangle how many of its pixels are dark (every channel below 0x60),
// one a line. The smoke test's eyes on the real program.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screen_grab WINDOW OUT.png [X,Y ...]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const WId window = static_cast<WId>(std::strtoull(argv[1], nullptr, 0));
    const QImage image = QGuiApplication::primaryScreen()->grabWindow(window).toImage();
    const bool keep = std::string(argv[2]) != "-"; // "-": look only
    if (image.isNull() || (keep && !image.save(QString::fromLocal8Bit(argv[2])))) {
        std::fprintf(stderr, "screen_grab: no picture of window %s\n", argv[1]);
        return 1;
    }
    std::printf("%dx%d\n", image.width(), image.height());
    for (int i = 3; i < argc; ++i) {
        int x = 0, y = 0, w = 0, h = 0;
        const int n = std::sscanf(argv[i], "%d,%d,%d,%d", &x, &y, &w, &h);
        if (n == 2 && image.valid(x, y)) {
            std::printf("#%06x\n", image.pixel(x, y) & 0xFFFFFFu);
        } else if (n == 4) {
            int dark = 0;
            for (int py = y; py < y + h; ++py)
                for (int px = x; px < x + w; ++px)
                    if (image.valid(px, py)) {
                        const QRgb c = image.pixel(px, py);
                        dark += qRed(c) < 0x60 && qGreen(c) < 0x60 && qBlue(c) < 0x60;
                    }
            std::printf("%d\n", dark);
        } else {
            std::printf("none\n");
        }
    }
    return 0;
}
