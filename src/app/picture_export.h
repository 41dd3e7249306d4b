#pragma once

class QImage;
class QWidget;

namespace ampery::app {

class Prompts;

// The export command: asks for a file, writes the experiment area's image
// there and offers to show it.
class PictureExport {
public:
    PictureExport(Prompts& prompts, QWidget* parent);

    // The picture holds the image's own pixels: on a scaled screen those are
    // the screen's pixels, so the file looks exactly like the area. The file
    // name decides the format: PNG and JPEG by their extensions, BMP for every
    // other name (GIF too: there is no GIF writer).
    void run(const QImage& image);

private:
    Prompts& m_prompts;
    QWidget* m_parent;
};

} // namespace ampery::app
