// A picture box: a widget that keeps what is drawn on it in a lasting
// picture of its own size (drawings survive repaints), with a drawing colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class BoiteImage : public QWidget {
  Q_OBJECT

 public:
  explicit BoiteImage(QWidget* parent = nullptr);

  // The lasting picture, at the widget's size (created or resized on demand,
  // white where nothing was drawn).
  QImage& image();
  const QImage& image() const;
  // Clears the picture to the background colour.
  void efface();

  QColor ForeColor = Qt::black;
  QColor BackColor = Qt::white;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ajuste() const;
  mutable QImage image_;
};
