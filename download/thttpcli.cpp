#include "download/thttpcli.h"

#include <QEventLoop>
#include <QIODevice>
#include <QRegularExpression>

#include "net/tsock.h"

namespace {

const QString kAborted = "Connection aborted on request";

// Bytes outside printable ASCII go on the request line percent-encoded.
QByteArray requestPath(const QString& path) {
    QByteArray out;
    for (char c : path.toUtf8()) {
        if (uchar(c) < 0x80)
            out += c;
        else
            out += '%' + QByteArray::number(uchar(c), 16).toUpper();
    }
    return out;
}

// "Error #10061 (WSAECONNREFUSED)" -> "can't connect: WSAECONNREFUSED (Error #10061)".
QString connectFailure(const QString& sockText) {
    static const QRegularExpression kError(R"(^Error #(\d+) \((.*)\)$)");
    const QRegularExpressionMatch m = kError.match(sockText);
    if (!m.hasMatch()) return "can't connect: " + sockText;
    return QString("can't connect: %1 (Error #%2)").arg(m.captured(2), m.captured(1));
}

}  // namespace

EHttpException::EHttpException(const QString& reason, int status)
    : std::runtime_error(reason.toStdString()), reason_(reason), status_(status) {}

THttpCli::THttpCli(QObject* owner) : QObject(owner) {}

THttpCli::~THttpCli() {
    if (sock_) sock_->OnInfo = nullptr;
}

void THttpCli::Get() {
    if (busy_) throw EHttpException("a request is already running", kClientFailure);
    busy_ = true;
    aborted_ = false;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};
    QString address = URL;
    for (int redirects = 0;; ++redirects) {
        const std::optional<HttpUrl> url = HttpUrl::parse(address);
        if (!url) throw EHttpException("not an http:// address: " + address, kClientFailure);
        const QString next = fetch(*url);
        if (next.isEmpty()) return;
        if (redirects == kMaxRedirects)
            throw EHttpException(QString("more than %1 redirects").arg(kMaxRedirects), status_);
        address = HttpUrl::resolve(address, next);
    }
}

void THttpCli::Abort() {
    if (!busy_) return;
    aborted_ = true;
    fail(kAborted);
}

QString THttpCli::fetch(const HttpUrl& url) {
    url_ = url;
    pending_.clear();
    head_ = HttpResponseHead();
    headerDone_ = done_ = false;
    error_ = nullptr;
    location_.clear();
    status_ = 0;
    reason_.clear();
    received_ = 0;
    contentLength_ = -1;
    if (aborted_) throw EHttpException(kAborted, kClientFailure);

    sock_ = std::make_unique<TSock>();
    sock_->setHostName(url.host);
    sock_->setPortName(QString::number(url.port));
    sock_->OnConnect = [this](TSock*) { guarded([this] { sockConnect(); }); };
    sock_->OnRead = [this](TSock*, int) { guarded([this] { sockRead(); }); };
    sock_->OnDisconnect = [this](TSock*) { guarded([this] { sockClosed(); }); };
    sock_->OnInfo = [this](TSock*, TSocketInfo kind, const QString& text) {
        if (kind == TSocketInfo::siError) sockError(text);
    };
    try {
        sock_->Open();
    } catch (const ESockException&) {
        fail("can't resolve hostname to IP address");
    }

    QEventLoop loop;
    loop_ = &loop;
    // Returns when the request ends, or at once when the program is asked to end.
    if (!done_) loop.exec();
    loop_ = nullptr;
    if (!done_) fail(kAborted);  // the program is ending: stop as Abort does
    sock_->OnInfo = nullptr;
    sock_.reset();
    if (error_) std::rethrow_exception(error_);
    return location_;
}

void THttpCli::guarded(const std::function<void()>& step) {
    if (done_) return;
    try {
        step();
    } catch (...) {
        // An event handler's failure ends the request and reaches Get's caller.
        failWith(std::current_exception());
    }
}

void THttpCli::sockConnect() {
    sock_->Send("GET " + requestPath(url_.path) + " HTTP/" + RequestVer.toLatin1() + "\r\n" +
                "Accept: " + Accept.toLatin1() + "\r\n" + "User-Agent: " + Agent.toLatin1() +
                "\r\n" + "Host: " + url_.host.toUtf8() + "\r\n\r\n");
}

void THttpCli::sockRead() {
    const QByteArray data = sock_->Receive();
    if (headerDone_) {
        body(data);
        return;
    }
    pending_ += data;
    takeHeaderLines();
}

void THttpCli::sockError(const QString& text) {
    fail(sock_->Connected() ? text : connectFailure(text));
}

void THttpCli::sockClosed() {
    if (!headerDone_) {
        fail("connection closed before the answer's header was complete");
    } else if (contentLength_ >= 0 && received_ < contentLength_) {
        fail(QString("connection closed after %1 of %2 bytes").arg(received_).arg(contentLength_));
    } else {
        finish();
    }
}

void THttpCli::takeHeaderLines() {
    while (!done_ && !headerDone_) {
        const std::optional<QByteArray> line = head_.nextLine(pending_);
        if (!line) {
            if (head_.tooLarge()) fail(head_.error());
            return;
        }
        if (head_.ends(*line)) {
            headerDone_ = true;
            status_ = head_.status();
            reason_ = head_.reason();
            contentLength_ = head_.contentLength();
            location_ = head_.location();
            headerComplete();
            QByteArray rest;
            rest.swap(pending_);
            if (!done_ && !rest.isEmpty()) body(rest);
            return;
        }
        if (OnHeaderData) OnHeaderData(this, *line);
        if (!done_ && !head_.read(*line)) fail(head_.error());
    }
}

void THttpCli::headerComplete() {
    if (status_ >= 400) {
        fail(reason_, status_);
        return;
    }
    if (status_ >= 300 && !location_.isEmpty()) {
        finish();  // Get goes on at the new address
        return;
    }
    location_.clear();
    if (OnDocBegin) OnDocBegin(this);
    if (!done_ && contentLength_ == 0) finish();
}

void THttpCli::body(QByteArray data) {
    // Bytes past the announced length belong to no document.
    if (contentLength_ >= 0) data.truncate(contentLength_ - received_);
    if (RcvdStream && RcvdStream->write(data) != data.size()) {
        fail("can't write the document: " + RcvdStream->errorString());
        return;
    }
    received_ += data.size();
    if (OnDocData) OnDocData(this);
    if (!done_ && contentLength_ >= 0 && received_ >= contentLength_) finish();
}

void THttpCli::finish() {
    done_ = true;
    if (loop_) loop_->exit();
}

void THttpCli::fail(const QString& reason, int status) {
    if (done_) return;
    status_ = status;
    reason_ = reason;
    failWith(std::make_exception_ptr(EHttpException(reason, status)));
}

void THttpCli::failWith(std::exception_ptr error) {
    if (done_) return;
    error_ = std::move(error);
    finish();
}
