#include "play/boite_image.h"

#include <QPainter>

BoiteImage::BoiteImage(QWidget* parent) : QWidget(parent) {}

void BoiteImage::ajuste() const {
  const QSize taille = size().expandedTo(QSize(1, 1));
  if (image_.size() == taille) return;
  QImage neuve(taille, QImage::Format_RGB32);
  neuve.fill(BackColor);
  if (!image_.isNull()) {
    QPainter p(&neuve);
    p.drawImage(0, 0, image_);
  }
  image_ = neuve;
}

QImage& BoiteImage::image() {
  ajuste();
  return image_;
}

const QImage& BoiteImage::image() const {
  ajuste();
  return image_;
}

void BoiteImage::efface() {
  ajuste();
  image_.fill(BackColor);
  update();
}

void BoiteImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image());
}

void BoiteImage::resizeEvent(QResizeEvent*) { ajuste(); }
