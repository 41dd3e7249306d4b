#pragma once

#include "model/component_record.h"
#include "model/experiment.h"

#include <QList>
#include <QPoint>
#include <QString>

namespace ampery::tools {

// A post of a placed component: its terminal name and where its wire attaches.
struct Post {
    QString terminal;
    QPoint attach;
};

// A placed component and its two posts.
struct Placed {
    int number = 0;
    QString name;
    Post positive;
    Post negative;
};

// Builds an experiment the way a user would: components placed by their
// picture box, wires drawn by hand from post to post.
class ExampleBuilder {
public:
    Placed place(int type, QPoint topLeft);
    // Writes a field of a placed component, as the settings panel or a click would.
    void set(const Placed& component, model::Field field, const QString& value);
    // A freehand wire from one post through the given turning points to another.
    void wire(const Post& from, const QList<QPoint>& via, const Post& to);

    const model::Experiment& experiment() const { return m_experiment; }

private:
    model::Experiment m_experiment;
    int m_wires = 0;
};

} // namespace ampery::tools
