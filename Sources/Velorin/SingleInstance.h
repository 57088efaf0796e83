#pragma once
// One running app per user: a second start hands over to the first, which
// shows its settings window, and then ends. Without it a second start would
// run a second engine beside the first, and every gesture would act twice;
// and on desktops without a tray, starting the app again is how its window
// is reached once closed.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace velorin {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` identifies the app's channel; the user's id is added to it.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Asks a running instance to come forward. True when one answered: this
    // process should end. Otherwise this process becomes the running instance.
    bool handOverToRunningInstance();

signals:
    // Another start asked this instance to come forward.
    void showRequested();

private:
    void listen();

    QString channel_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace velorin
