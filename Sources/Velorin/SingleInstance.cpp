#include "Velorin/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace velorin {

namespace {
// A running instance answers at once; one that doesn't within this is gone or hung.
constexpr int connectTimeoutMilliseconds = 1000;
const QByteArray showMessage = "show\n";
}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), channel_(name + "-" + QString::number(::getuid())) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOverToRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(channel_);
    if (socket.waitForConnected(connectTimeoutMilliseconds)) {
        socket.write(showMessage);
        socket.waitForBytesWritten(connectTimeoutMilliseconds);
        socket.disconnectFromServer();
        return true;
    }
    listen();
    return false;
}

void SingleInstance::listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(channel_)) {
        // A channel left behind by an instance that crashed.
        QLocalServer::removeServer(channel_);
        server_->listen(channel_);
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto read = [this, socket] {
                if (socket->readAll().contains("show")) emit showRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            if (socket->bytesAvailable() > 0) read();
        }
    });
}

}  // namespace velorin
