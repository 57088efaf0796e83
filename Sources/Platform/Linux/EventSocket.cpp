#include "Platform/Linux/EventSocket.h"

#include <QLocalSocket>
#include <QTimer>

namespace velorin::linux_platform {

EventSocket::EventSocket(std::string path, Handlers handlers)
    : path_(std::move(path)), handlers_(std::move(handlers)), retry_(std::make_unique<QTimer>()) {
    retry_->setSingleShot(true);
    QObject::connect(retry_.get(), &QTimer::timeout, retry_.get(), [this] { open(); });
    open();
}

EventSocket::~EventSocket() {
    if (!socket_) return;
    QObject::disconnect(socket_.get(), nullptr, nullptr, nullptr);
    socket_->abort();
}

void EventSocket::open() {
    if (path_.empty() || socket_) return;
    socket_ = std::make_unique<QLocalSocket>();
    QLocalSocket* socket = socket_.get();
    // Queued, as the others: a connection can be made, or fail, inside
    // connectToServer, before the owner is ready to hear of it.
    QObject::connect(socket, &QLocalSocket::connected, socket, [this] {
        if (handlers_.connected) handlers_.connected();
    }, Qt::QueuedConnection);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        const QByteArray bytes = socket->readAll();
        if (handlers_.received) handlers_.received(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, [this] { close(); }, Qt::QueuedConnection);
    QObject::connect(socket, &QLocalSocket::errorOccurred, socket, [this] { close(); }, Qt::QueuedConnection);
    socket->connectToServer(QString::fromStdString(path_));
}

void EventSocket::write(std::string_view bytes) {
    if (socket_) socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void EventSocket::drop() { close(); }

void EventSocket::close() {
    if (!socket_) return;
    // The socket may be the sender of the signal being handled.
    QObject::disconnect(socket_.get(), nullptr, nullptr, nullptr);
    socket_->abort();
    socket_.release()->deleteLater();
    retry_->start(retryMs);
    if (handlers_.lost) handlers_.lost();
}

}  // namespace velorin::linux_platform
