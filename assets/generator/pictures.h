#pragma once

#include <QPainter>
#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

// One picture of the game: its name, its 1x size and how to draw it in 1x units.
struct Picture {
    QString name;
    int width;
    int height;
    bool transparent;  // written as PNG; opaque pictures are written as JPEG
    std::function<void(QPainter&)> draw;
};

// Every picture the game embeds.
std::vector<Picture> allPictures();

// The drawings; the shared pieces take a place so that the scenes can reuse them.
void drawDartboardPanel(QPainter& p);
void drawBoard(QPainter& p, const QPointF& centre, qreal rimRadius, bool withNumbers);
void drawThrownDartPicture(QPainter& p);
void drawDart(QPainter& p, const QPointF& tip, const QPointF& tail, qreal scale, bool shadow);
void drawDartColumn(QPainter& p);
void drawDie(QPainter& p, const QRectF& box, int value);
void drawCardHeading(QPainter& p, const QString& text);
void drawMark(QPainter& p, int marks);
void drawThrowButton(QPainter& p);
void drawAutoplaceButton(QPainter& p);
void drawDecoration(QPainter& p);
void drawLogo(QPainter& p, const QRectF& box, qreal pixelSize);
void drawEyes(QPainter& p, const QRectF& box);
void drawBackgroundTile(QPainter& p);
void drawAbout(QPainter& p);
void drawDownload(QPainter& p);
void drawIcon(QPainter& p);
