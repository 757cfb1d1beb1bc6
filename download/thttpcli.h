#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>

#include "download/httpresponsehead.h"
#include "download/httpurl.h"

class QEventLoop;
class QIODevice;
class TSock;

// A request that did not bring its document: the reason and the status code
// (the server's, or 404 for the client's own failures).
class EHttpException : public std::runtime_error {
  public:
    EHttpException(const QString& reason, int status);
    const QString& reason() const { return reason_; }
    int ErrorCode() const { return status_; }

  private:
    QString reason_;
    int status_;
};

// An HTTP/1.0 client over TSock for one GET at a time. Get is synchronous to its
// caller but runs the event loop while it waits, so the window stays alive and a
// click on a stop button can call Abort in the middle of it.
class THttpCli : public QObject {
    Q_OBJECT
  public:
    static constexpr qsizetype kMaxHeaderBytes = HttpResponseHead::kMaxBytes;
    // A "location" loop would never end; past this many redirects the request fails.
    static constexpr int kMaxRedirects = 5;
    // The status that the client's own failures (abort, lookup, connect) carry.
    static constexpr int kClientFailure = 404;

    explicit THttpCli(QObject* owner = nullptr);
    ~THttpCli() override;

    QString URL;
    QString RequestVer = "1.0";
    QString Agent = "Mozilla/3.0 (compatible)";
    QString Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    // Where the body goes; the caller opens and closes it.
    QIODevice* RcvdStream = nullptr;

    // Fetches URL into RcvdStream, following redirects. Raises EHttpException for a
    // status of 400 or more, an unreachable server, a stop or a broken transfer.
    void Get();
    // Stops a running Get, which then fails with 404 "Connection aborted on request".
    void Abort();

    bool busy() const { return busy_; }
    int StatusCode() const { return status_; }
    const QString& ReasonPhrase() const { return reason_; }
    // Body bytes of the current document received so far.
    qint64 RcvdCount() const { return received_; }
    // The "content-length" of the current document, or -1 when it has none.
    qint64 ContentLength() const { return contentLength_; }

    std::function<void(THttpCli* Sender, const QByteArray& line)> OnHeaderData;
    std::function<void(THttpCli* Sender)> OnDocBegin;
    std::function<void(THttpCli* Sender)> OnDocData;

  private:
    // One request and its answer; returns the address to go to next, if any.
    QString fetch(const HttpUrl& url);
    // Runs one step of a socket event; its failure ends the request.
    void guarded(const std::function<void()>& step);
    void sockConnect();
    void sockRead();
    void sockError(const QString& text);
    void sockClosed();
    void takeHeaderLines();
    void headerComplete();
    void body(QByteArray data);
    void finish();
    void fail(const QString& reason, int status = kClientFailure);
    void failWith(std::exception_ptr error);

    bool busy_ = false;
    bool aborted_ = false;
    std::unique_ptr<TSock> sock_;
    QEventLoop* loop_ = nullptr;
    HttpUrl url_;
    QByteArray pending_;  // received header bytes not yet cut into lines
    HttpResponseHead head_;
    bool headerDone_ = false;
    bool done_ = false;
    std::exception_ptr error_;
    QString location_;
    int status_ = 0;
    QString reason_;
    qint64 received_ = 0;
    qint64 contentLength_ = -1;
};
