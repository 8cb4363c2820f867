#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the normal way: the signal
// handler only writes a byte into a pipe, and the event loop, woken by it,
// asks the application to quit, so that the main window's end runs.
#include <QObject>

class QSocketNotifier;

class TSignalQuit : public QObject {
    Q_OBJECT
public:
    explicit TSignalQuit(QObject* parent = nullptr);
    ~TSignalQuit() override;
    TSignalQuit(const TSignalQuit&) = delete;
    TSignalQuit& operator=(const TSignalQuit&) = delete;

signals:
    void Received(int signalNumber);

private:
    void ReadPipe();
    QSocketNotifier* notifier_ = nullptr;
};
