#include "app/StaffelplanSignalQuit.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
constexpr int HandledSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void WriteSignalByte(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a pending wake-up; losing this byte is fine.
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

bool MakePipe() {
    if (::pipe(signalPipe) != 0)
        return false;
    for (int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

} // namespace

TSignalQuit::TSignalQuit(QObject* parent) : QObject(parent) {
    if (!MakePipe())
        return;
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSignalQuit::ReadPipe);
    for (int signalNumber : HandledSignals) {
        struct sigaction action = {};
        action.sa_handler = WriteSignalByte;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

TSignalQuit::~TSignalQuit() {
    if (!notifier_)
        return;
    for (int signalNumber : HandledSignals)
        ::signal(signalNumber, SIG_DFL);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TSignalQuit::ReadPipe() {
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        emit Received(byte);
}
