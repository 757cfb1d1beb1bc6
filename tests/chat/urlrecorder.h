#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop's handler of web addresses: records what it was asked
// to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls << url; }
};
