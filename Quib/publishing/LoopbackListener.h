// A listener on 127.0.0.1 for a browser coming back to the program (the Dropbox sign-in's redirect),
// made by the transfer module so that Qt's network library loads only when a sign-in starts. Only
// pure virtual functions and Qt values cross between the two sides. Main thread only.
#pragma once
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class LoopbackListener
{
public:
    struct Answer
    {
        QByteArray status; // "200 OK"
        QString text;      // the page's one paragraph, plain text
        // Run on a later turn of the event loop, once the answer is on its way; dropped when the
        // listener is gone by then.
        std::function<void()> then;
    };
    using RequestHandler = std::function<Answer(const QByteArray& requestLine)>;

    // The longest request line and headers taken; a longer request is cut off unanswered.
    static constexpr qint64 kMaxRequestBytes = 16 * 1024;

    virtual ~LoopbackListener() = default;
    // Each connection's first line, trimmed, goes to the handler; its answer goes back as a small
    // HTML page, and the connection is closed.
    virtual void setRequestHandler(RequestHandler handler) = 0;
    // Listens on a port of the system's choice, after closing any earlier one; 0 when it cannot.
    virtual quint16 listen() = 0;
    // Takes no more connections; answers already on their way still go out.
    virtual void close() = 0;
};

// The module's exported function: a new listener, or nullptr when the module was built for another
// interface version.
constexpr int kLoopbackListenerVersion = 1;
inline constexpr const char* kLoopbackListenerFactoryName = "quibCreateLoopbackListener";

// A new listener from the transfer module; nothing, with the reason in error, when it cannot be had.
std::unique_ptr<LoopbackListener> makeLoopbackListener(QString& error);
