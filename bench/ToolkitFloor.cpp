// ToolkitFloor: the least a Qt program spends on what Tarvik does while connected without a
// run, as a reference for its CPU figure. It opens the port given, asks the device for its
// stream and reads it; with "box" it also shows one line edit and writes a new number into it
// on every fifth sample, as the live value boxes are refreshed. No frame is checked, nothing
// is kept or drawn besides that one box.
//   ToolkitFloor PORT stream|box

#include "device/Frame.h"

#include <QApplication>
#include <QLineEdit>
#include <QSerialPort>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 || (std::strcmp(argv[2], "stream") != 0 && std::strcmp(argv[2], "box") != 0)) {
        std::fputs("usage: ToolkitFloor PORT stream|box\n", stderr);
        return 2;
    }
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(QSerialPort::Baud57600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "ToolkitFloor: cannot open %s\n", argv[1]);
        return 1;
    }
    const Frame start = BuildFrame(CmdStream, StreamStart, 0);
    port.write(reinterpret_cast<const char*>(start.data()), FrameLength);

    QLineEdit box;
    const bool showBox = std::strcmp(argv[2], "box") == 0;
    if (showBox) box.show();
    long samples = 0;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        // One Z frame ends each sample; a frame split across reads is simply not counted.
        const QByteArray bytes = port.readAll();
        for (qsizetype at = 0; at + 1 < bytes.size(); ++at)
            if (static_cast<std::uint8_t>(bytes[at]) == FrameStx &&
                static_cast<std::uint8_t>(bytes[at + 1]) == FrmAxisZ && ++samples % 5 == 0 &&
                showBox)
                box.setText(QString::number(samples * 0.001, 'f', 3));
    });
    return app.exec();
}
