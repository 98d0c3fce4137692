#include "cadhost/gui/answers.h"

#include <charconv>

#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/ucs.h"

namespace cadhost::gui {
namespace {
// The shortest text that reads back as the same double.
std::string number(double v) {
    if (v == 0) v = 0;  // no "-0"
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}
}  // namespace

std::string pointAnswer(QPointF world) {
    const double w[3] = {world.x(), world.y(), 0};
    double u[3];
    worldToUcs(currentUcs(), w, false, u);
    std::string text = number(u[0]) + "," + number(u[1]);
    if (u[2] != 0) text += "," + number(u[2]);
    return text;
}

std::string handleAnswer(AcDbObjectId id) {
    char buf[20] = {};
    id.handle().getIntoAsciiBuffer(buf);
    return buf;
}

std::vector<std::string> windowAnswers(QPointF firstWorld, QPointF secondWorld, bool crossing) {
    return {crossing ? "C" : "W", pointAnswer(firstWorld), pointAnswer(secondWorld)};
}

}  // namespace cadhost::gui
