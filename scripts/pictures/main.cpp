// Draws the pictures that the program carries as resources (src/core/pictures):
// the pictograms printed on the certificates, the emblem and the strip of the
// printed lists and the small picture of the race window.
//
// Everything is drawn from simple shapes (discs for heads, thick rounded
// strokes for limbs and equipment), so the pictures can be regenerated at any
// time:
//   picgen <output directory>
#include <QDir>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QColor Ink(0x1b, 0x22, 0x30);     // figures
const QColor Accent(0x1d, 0x68, 0xc0);  // equipment, snow and motion lines
const QColor Paper(Qt::white);

constexpr double Pi = 3.14159265358979323846;

using Scene = std::function<void(QPainter &)>;

// ---------------------------------------------------------------------------
// Drawing helpers. The pictograms are designed in millimetre-like units with
// the y axis pointing down and the ground at y = 0; the figures face right.

void stroke(QPainter &p, const QList<QPointF> &pts, double width, const QColor &c)
{
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (pts.size() == 1)
        p.drawPoint(pts.front());
    else
        p.drawPolyline(pts.constData(), int(pts.size()));
}

void stroke(QPainter &p, const QPainterPath &path, double width, const QColor &c,
            Qt::PenCapStyle cap = Qt::RoundCap)
{
    p.setPen(QPen(c, width, Qt::SolidLine, cap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void fill(QPainter &p, const QPainterPath &path, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

void disc(QPainter &p, QPointF centre, double r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre, r, r);
}

double length(QPointF v) { return std::hypot(v.x(), v.y()); }

// The middle joint (knee, elbow) of a limb reaching from `from` to `to` with
// the two segment lengths given. `side` picks the side of the line from..to
// the joint lies on: +1 is the left-hand side of the way from `from` to `to`
// as seen on the picture (a knee in front of a leg pointing down), -1 the
// right-hand side. A limb too short to reach is stretched straight.
QPointF joint(QPointF from, QPointF to, double upper, double lower, int side)
{
    const QPointF d = to - from;
    const double dist = length(d);
    const QPointF u = d / dist;
    if (dist >= upper + lower)
        return from + u * (dist * upper / (upper + lower));
    const double along = (upper * upper - lower * lower + dist * dist) / (2 * dist);
    const double off = std::sqrt(std::max(0.0, upper * upper - along * along));
    const QPointF n(-u.y(), u.x());
    return from + u * along - n * (off * side);
}

// A person drawn the way sports pictograms do it: a floating disc for the head,
// a thick stroke for the trunk and rounded strokes for arms and legs. The limbs
// are polylines starting at the shoulder or hip; the legs end with the toe.
// The limbs on the near side are cut free from the far ones by a thin white gap.
struct Figure {
    QPointF head;
    double headR = 6.3;
    QPointF neck, hip;
    double trunkW = 10;
    double armW = 5.6, legW = 7.2;
    QList<QPointF> nearArm, farArm, nearLeg, farLeg;
    double gap = 1.5;
    QColor ink = Ink;
    // Extra shapes that belong to the head (hair, helmet, cap), drawn after it.
    std::function<void(QPainter &, const QColor &, double grow)> headwear;
};

// Draws the figure; with `only` given, all parts are drawn fattened by `grow`
// in that one colour (to cut a white outline around a figure in front).
void drawFigure(QPainter &p, const Figure &f, double grow = 0, QColor only = {})
{
    const bool outline = only.isValid();
    const QColor ink = outline ? only : f.ink;
    const double g2 = 2 * grow;
    stroke(p, f.farLeg, f.legW + g2, ink);
    stroke(p, f.farArm, f.armW + g2, ink);
    auto nearLimb = [&](const QList<QPointF> &limb, double w) {
        if (!outline)
            stroke(p, limb, w + 2 * f.gap, Paper);
        stroke(p, limb, w + g2, ink);
    };
    nearLimb(f.nearLeg, f.legW);
    nearLimb(f.nearArm, f.armW);
    // The trunk comes last so that the gaps do not notch it at the joints.
    stroke(p, {f.neck, f.hip}, f.trunkW + g2, ink);
    disc(p, f.head, f.headR + grow, ink);
    if (f.headwear)
        f.headwear(p, ink, grow);
}

// A limb from the joint at `root` to `end`, bent at the middle; for legs
// `toe` adds the foot.
QList<QPointF> limb(QPointF root, QPointF end, double upper, double lower, int side)
{
    return {root, joint(root, end, upper, lower, side), end};
}
QList<QPointF> leg(QPointF hip, QPointF ankle, QPointF toe, double thigh, double shin, int side)
{
    return {hip, joint(hip, ankle, thigh, shin, side), ankle, toe};
}

// A tapering shape along a quadratic curve, round at both ends, its half
// width going from ra to rb with `bulge` added in the middle.
QPainterPath taper(QPointF a, QPointF ctrl, QPointF b, double ra, double rb, double bulge = 0)
{
    constexpr int Steps = 64;
    QPolygonF left, right;
    for (int i = 0; i <= Steps; ++i) {
        const double t = double(i) / Steps;
        const QPointF c = a * ((1 - t) * (1 - t)) + ctrl * (2 * t * (1 - t)) + b * (t * t);
        const QPointF d = (ctrl - a) * (2 * (1 - t)) + (b - ctrl) * (2 * t);
        const QPointF n = QPointF(-d.y(), d.x()) / length(d);
        const double r = ra + (rb - ra) * t + bulge * std::sin(Pi * t);
        left << c + n * r;
        right.prepend(c - n * r);
    }
    QPainterPath body, ends;
    body.addPolygon(left + right);
    body.closeSubpath();
    ends.addEllipse(a, ra, ra);
    ends.addEllipse(b, rb, rb);
    return body.united(ends);
}

// A ponytail swinging back from the head.
void ponytail(QPainter &p, QPointF head, double r, const QColor &c, double grow)
{
    const QPointF root = head + QPointF(-0.7 * r, -0.4 * r);
    const QPointF ctrl = head + QPointF(-1.7 * r, -0.45 * r);
    const QPointF tip = head + QPointF(-2.45 * r, 0.25 * r);
    fill(p, taper(root, ctrl, tip, 0.34 * r + grow, 0.1 * r + grow, 0.26 * r), c);
}

// ---------------------------------------------------------------------------
// Rendering: a scene is measured first and then drawn so that it fills the
// picture, keeping a small margin.

QRectF measure(const Scene &scene)
{
    constexpr int Size = 2400;
    constexpr double K = 6;  // pixels per unit while measuring
    QImage img(Size, Size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(Size / 2.0, Size / 2.0);
        p.scale(K, K);
        scene(p);
    }
    int x0 = Size, y0 = Size, x1 = -1, y1 = -1;
    for (int y = 0; y < Size; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < Size; ++x) {
            // white parts (gaps) do not count, only what is actually visible
            if (qAlpha(line[x]) > 8 && qGray(line[x]) < 250) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0)
        return {};
    return QRectF((x0 - Size / 2.0) / K, (y0 - Size / 2.0) / K, (x1 - x0 + 1) / K, (y1 - y0 + 1) / K);
}

QImage renderFitted(QSize size, const Scene &scene, double margin, const QColor &background)
{
    const QRectF box = measure(scene);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double m = margin * std::min(size.width(), size.height());
    const double k = std::min((size.width() - 2 * m) / box.width(), (size.height() - 2 * m) / box.height());
    p.translate(size.width() / 2.0, size.height() / 2.0);
    p.scale(k, k);
    p.translate(-box.center());
    scene(p);
    return img;
}

// Reduces a picture drawn in a few flat colours to an 8-bit palette made of
// the blends between each pair of those colours (anti-aliased edges).
QImage toPalette(const QImage &src, const QList<QColor> &colours)
{
    QList<QRgb> table;
    const int n = int(colours.size());
    const int pairs = n * (n - 1) / 2;
    const int steps = std::max(2, 256 / pairs);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            for (int s = 0; s < steps; ++s) {
                const double t = double(s) / (steps - 1);
                const QColor a = colours[i], b = colours[j];
                const QRgb c = qRgb(int(std::lround(a.red() + (b.red() - a.red()) * t)),
                                    int(std::lround(a.green() + (b.green() - a.green()) * t)),
                                    int(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
                if (!table.contains(c) && table.size() < 256)
                    table.append(c);
            }
    const QImage rgb = src.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    QHash<QRgb, uchar> cache;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *o = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = in[x] | 0xff000000u;
            auto it = cache.constFind(c);
            if (it == cache.constEnd()) {
                int best = 0;
                long bestD = -1;
                for (int i = 0; i < table.size(); ++i) {
                    const long dr = qRed(c) - qRed(table[i]);
                    const long dg = qGreen(c) - qGreen(table[i]);
                    const long db = qBlue(c) - qBlue(table[i]);
                    const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (bestD < 0 || d < bestD) {
                        bestD = d;
                        best = i;
                    }
                }
                it = cache.insert(c, uchar(best));
            }
            o[x] = *it;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// The pictograms.

// Snow thrown up behind skis or a board.
void spray(QPainter &p, QPointF at, double scale)
{
    const QPointF dots[] = {{0, -1.5}, {-4, -4}, {-3.5, 0.2}, {-8, -6.5}, {-8.5, -2}, {-12.5, -4.5}, {-13, 0}};
    const double radii[] = {1.5, 1.3, 1.2, 1.1, 1.0, 0.8, 0.7};
    for (int i = 0; i < 7; ++i)
        disc(p, at + dots[i] * scale, radii[i] * scale, Accent);
}

// A ski pole from the hand to the tip, with its basket.
void pole(QPainter &p, QPointF hand, QPointF tip, const QColor &c)
{
    stroke(p, {hand, tip}, 2.0, c);
    const QPointF dir = (tip - hand) / length(tip - hand);
    const QPointF nrm(-dir.y(), dir.x());
    const QPointF basket = tip - dir * 3.2;
    stroke(p, {basket - nrm * 2.5, basket + nrm * 2.5}, 1.6, c);
}

void skier(QPainter &p)
{
    p.rotate(17);  // downhill to the right
    stroke(p, {QPointF(-44, 3.8), QPointF(50, 3.8)}, 1.6, Accent);  // the slope
    spray(p, QPointF(-33, -1), 1.2);

    // a tuck: knees bent far, back flat, hands in front of the face and
    // the poles held under the arms, pointing back
    Figure f;
    f.head = {23, -39.5};
    f.headR = 6.5;
    f.neck = {10.5, -33.5};
    f.hip = {-6.5, -25};
    f.trunkW = 11;
    f.nearLeg = leg(f.hip, {3, -5.5}, {9, -2.4}, 18, 15.5, 1);
    f.farLeg = leg(f.hip, {-1.5, -5.5}, {4.5, -2.4}, 18, 15.5, 1);
    const QPointF nearHand(27.5, -27.5);
    f.nearArm = limb(f.neck, nearHand, 10.5, 9.5, -1);
    f.farArm = f.nearArm;  // the arms held together

    pole(p, nearHand, {-25, -20}, Ink);
    drawFigure(p, f, 1.6, Paper);

    // skis (the two lie on top of each other)
    QPainterPath ski;
    ski.moveTo(-30, 0);
    ski.lineTo(31, 0);
    ski.quadTo(37, 0, 39, -4.5);
    stroke(p, ski, 3.2, Accent);
    drawFigure(p, f);
}

void snowboarder(QPainter &p)
{
    p.rotate(11);
    stroke(p, {QPointF(-46, 4.2), QPointF(44, 4.2)}, 1.6, Accent);
    spray(p, QPointF(-32, -2.5), 1.3);

    // sideways on the board, knees bent, arms out for balance
    Figure f;
    f.head = {9.5, -55.5};
    f.headR = 6.5;
    f.neck = {4.5, -44};
    f.hip = {0, -25};
    f.trunkW = 10.5;
    f.farLeg = leg(f.hip, {-11, -4.2}, {-7, -3.2}, 12.6, 11.8, -1);
    f.nearLeg = leg(f.hip, {11.5, -4.2}, {15.5, -3.2}, 12.6, 11.8, 1);
    f.farArm = limb(f.neck, {-19, -37}, 10, 10, 1);
    f.nearArm = limb(f.neck, {23, -43.5}, 10.5, 10, -1);
    drawFigure(p, f);

    QPainterPath board;
    board.moveTo(-29, -4);
    board.quadTo(-28, 0, -23, 0);
    board.lineTo(23, 0);
    board.quadTo(28, 0, 29, -4);
    stroke(p, board, 5.4, Accent);
}

void sledger(QPainter &p)
{
    p.rotate(14);
    stroke(p, {QPointF(-46, 3.6), QPointF(44, 3.6)}, 1.6, Accent);
    spray(p, QPointF(-35, -1), 1.15);

    // the sled: runner with the curled front, seat and struts
    QPainterPath runner;
    runner.moveTo(-33, 0);
    runner.lineTo(21, 0);
    runner.cubicTo(29, 0, 33, -4, 31, -9.5);
    runner.cubicTo(29.8, -12.5, 26, -12.5, 24.5, -10);
    stroke(p, runner, 3.2, Accent);
    stroke(p, {QPointF(-31, -10), QPointF(24.5, -10)}, 4.2, Accent);
    for (double x : {-25.0, -6.5, 12.0})
        stroke(p, {QPointF(x, 0), QPointF(x, -10)}, 2.6, Accent);

    const QPointF hand(4, -31);
    // sitting upright, legs stretched along the sled
    Figure f;
    f.head = {-17.5, -47.5};
    f.headR = 6.5;
    f.neck = {-19, -35.5};
    f.hip = {-15.5, -18.5};
    f.trunkW = 11;
    f.nearLeg = leg(f.hip, {15, -14.5}, {17, -20}, 17, 15, 1);
    f.farLeg = f.nearLeg;
    f.nearArm = limb(f.neck, hand, 12.5, 11, -1);
    f.farArm = f.nearArm;
    // a woolly cap with a bobble
    f.headwear = [h = f.head, r = f.headR](QPainter &pp, const QColor &, double grow) {
        const QPointF bobble = h + QPointF(-1.5, -r - 1.9);
        if (grow > 0) {
            disc(pp, bobble, 2.7 + grow, Paper);
            return;
        }
        QPainterPath cap;
        const QRectF box(h.x() - r - 0.6, h.y() - r - 0.6, 2 * r + 1.2, 2 * r + 1.2);
        cap.arcMoveTo(box, 185);
        cap.arcTo(box, 185, -175);
        cap.closeSubpath();
        fill(pp, cap, Accent);
        disc(pp, bobble, 2.7, Accent);
        stroke(pp, {h + QPointF(-r + 0.3, -1.0), h + QPointF(r - 0.3, -1.9)}, 1.4, Paper);
    };
    // the pull rope, from the hands behind the legs to the curl
    QPainterPath rope;
    rope.moveTo(hand);
    rope.quadTo(19, -20, 27.5, -10.5);
    stroke(p, rope, 1.6, Ink);
    drawFigure(p, f);
}

// Three short lines behind a runner.
void motionLines(QPainter &p, QPointF at, double len, double spacing)
{
    for (int i = 0; i < 3; ++i) {
        const double l = len * (i == 1 ? 1.0 : 0.7);
        const QPointF a = at + QPointF(i == 1 ? -0.3 * len : 0, i * spacing);
        stroke(p, {a, a - QPointF(l, 0)}, 2.0, Accent);
    }
}

void child(QPainter &p)
{
    // a large head, short limbs, arms thrown up with joy
    Figure f;
    f.head = {5.5, -55.5};
    f.headR = 9;
    f.neck = {2, -40.5};
    f.hip = {-1, -25};
    f.trunkW = 9.5;
    f.armW = 5.2;
    f.legW = 6.6;
    f.farLeg = leg(f.hip, {-16, -9}, {-17.5, -4}, 12.5, 11.5, 1);
    f.nearLeg = leg(f.hip, {8.5, -5}, {13.5, -3.5}, 12.5, 11.5, 1);
    f.farArm = limb(f.neck, {-17.5, -48.5}, 11, 10.5, 1);
    f.nearArm = limb(f.neck, {22, -48.5}, 11, 10.5, -1);
    drawFigure(p, f);
    motionLines(p, QPointF(-21, -38), 11, 7);
}

Figure runner(bool woman)
{
    Figure f;
    f.head = {11, -72};
    f.neck = {6, -59.5};
    f.hip = {0, -37};
    f.trunkW = woman ? 9.4 : 10.8;
    f.armW = woman ? 5.2 : 5.8;
    f.legW = woman ? 6.8 : 7.4;
    if (woman) {
        f.nearLeg = leg(f.hip, {9, -11}, {14.5, -9}, 18.5, 17, 1);
        f.farLeg = leg(f.hip, {-15.5, -7}, {-13, -1.8}, 18.5, 17, 1);
        f.nearArm = {f.neck, {-7, -52}, {-8.5, -42.5}};
        f.farArm = limb(f.neck, {18.5, -58}, 11, 10, -1);
        f.headwear = [h = f.head, r = f.headR](QPainter &pp, const QColor &c, double grow) {
            ponytail(pp, h, r, c, grow);
        };
    } else {
        f.nearLeg = leg(f.hip, {8.5, -11.5}, {14.5, -9.5}, 19, 17.5, 1);
        f.farLeg = leg(f.hip, {-14.5, -6.5}, {-12, -1.2}, 19, 17.5, 1);
        f.nearArm = {f.neck, {-7, -52}, {-8.5, -42}};
        f.farArm = limb(f.neck, {18, -57}, 11.5, 10.5, -1);
    }
    return f;
}

void femaleRunner(QPainter &p) { drawFigure(p, runner(true)); }
void maleRunner(QPainter &p) { drawFigure(p, runner(false)); }

void pair(QPainter &p)
{
    // she runs on the far side, a little ahead
    Figure her = runner(true);
    her.ink = Accent;
    her.nearArm = her.farArm;  // her other arm is hidden behind him
    p.save();
    p.translate(23, -7);
    p.scale(0.92, 0.92);
    drawFigure(p, her);
    p.restore();

    Figure him = runner(false);
    // the other leg forward, so that the two do not move in step
    std::swap(him.farLeg, him.nearLeg);
    std::swap(him.farArm, him.nearArm);
    drawFigure(p, him, 2.0, Paper);
    drawFigure(p, him);
}

void cyclist(QPainter &p)
{
    const QPointF rear(-19, -12.5), front(19.5, -12.5);
    const double wheelR = 12.2;
    const QPointF crank(-2.5, -13.5), seatTop(-9.5, -33), headTop(13.5, -32), headLow(15, -27);

    // cranks and pedals
    const double a = -25 * Pi / 180, cl = 7.2;
    const QPointF nearPedal = crank + QPointF(std::cos(a), std::sin(a)) * cl;
    const QPointF farPedal = crank - QPointF(std::cos(a), std::sin(a)) * cl;

    // riding across the finish with one arm raised
    Figure f;
    f.head = {12.5, -62};
    f.headR = 6.1;
    f.neck = {4, -52.5};
    f.hip = {-9, -39};
    f.trunkW = 10;
    f.legW = 6.4;
    f.armW = 5.4;
    f.farLeg = leg(f.hip, farPedal + QPointF(-1, -2), farPedal + QPointF(2.8, -1.2), 17, 16.5, 1);
    f.nearLeg = leg(f.hip, nearPedal + QPointF(-1, -2), nearPedal + QPointF(2.8, -1.2), 17, 16.5, 1);
    f.farArm = {f.neck, {-2.5, -63}, {-1.5, -75}};
    f.nearArm = limb(f.neck, {19, -37}, 12, 11.5, -1);
    f.headwear = [h = f.head, r = f.headR](QPainter &pp, const QColor &, double grow) {
        if (grow > 0) {
            return;
        }
        // a cycling helmet, hugging the head, drawn out to a point at the back
        QPainterPath helmet;
        helmet.moveTo(h + QPointF(r + 0.9, -0.05 * r));
        helmet.cubicTo(h + QPointF(r + 0.6, -1.5 * r), h + QPointF(-r - 0.6, -1.55 * r),
                       h + QPointF(-r - 2.4, 0.2 * r));
        helmet.lineTo(h + QPointF(-r + 0.2, 0.2 * r));
        helmet.cubicTo(h + QPointF(-0.5 * r, -0.35 * r), h + QPointF(0.4 * r, -0.3 * r),
                       h + QPointF(r + 0.9, -0.05 * r));
        fill(pp, helmet, Accent);
    };

    // wheels and frame
    for (const QPointF c : {rear, front}) {
        p.setPen(QPen(Accent, 3.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, wheelR, wheelR);
        disc(p, c, 1.8, Accent);
    }
    const double tube = 2.4;
    stroke(p, {rear, crank, seatTop, rear}, tube, Accent);
    stroke(p, {seatTop, headTop, headLow, crank}, tube, Accent);
    stroke(p, {headLow, front}, tube, Accent);
    stroke(p, {headTop, QPointF(14.2, -36.5), QPointF(19.5, -37), QPointF(21, -34)}, 2.4, Ink);
    stroke(p, {QPointF(-13.5, -35), QPointF(-6.5, -35)}, 2.8, Ink);  // saddle

    stroke(p, {crank, farPedal}, 2.2, Ink);
    drawFigure(p, f);
    stroke(p, {crank, nearPedal}, 2.4, Ink);
    disc(p, crank, 2.4, Ink);
    stroke(p, {nearPedal - QPointF(2.2, 0), nearPedal + QPointF(2.2, 0)}, 2.2, Ink);
}

// ---------------------------------------------------------------------------
// The emblem, the strip and the race picture (drawn in pixels).

QPainterPath shieldPath(const QRectF &r)
{
    QPainterPath s;
    const double cx = r.center().x();
    s.moveTo(r.left(), r.top() + 0.06 * r.height());
    s.quadTo(cx, r.top() - 0.02 * r.height(), r.right(), r.top() + 0.06 * r.height());
    s.lineTo(r.right(), r.top() + 0.52 * r.height());
    s.cubicTo(r.right(), r.top() + 0.78 * r.height(), cx + 0.2 * r.width(), r.top() + 0.9 * r.height(), cx,
              r.bottom());
    s.cubicTo(cx - 0.2 * r.width(), r.top() + 0.9 * r.height(), r.left(), r.top() + 0.78 * r.height(), r.left(),
              r.top() + 0.52 * r.height());
    s.closeSubpath();
    return s;
}

// A six-armed snowflake.
void snowflake(QPainter &p, QPointF c, double r, const QColor &col, double width, double turn = 0)
{
    for (int i = 0; i < 6; ++i) {
        const double a = (turn + 90 + i * 60) * Pi / 180;
        const QPointF d(std::cos(a), -std::sin(a));
        const QPointF n(-d.y(), d.x());
        stroke(p, {c, c + d * r}, width, col);
        const QPointF b = c + d * (0.55 * r);
        stroke(p, {b + (n - d) * (0.0), b + (d + n) * (0.3 * r)}, width * 0.85, col);
        stroke(p, {b, b + (d - n) * (0.3 * r)}, width * 0.85, col);
    }
}

QImage emblem()
{
    QImage img(150, 200, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor navy(0x14, 0x2d, 0x5a), sky(0xd9, 0xe9, 0xf8);
    const QPainterPath shield = shieldPath(QRectF(9, 8, 132, 184));

    // inside: sky, mountains with snow caps and a track winding down
    p.save();
    p.setClipPath(shield);
    QLinearGradient skyGrad(0, 8, 0, 120);
    skyGrad.setColorAt(0, QColor(0xb4, 0xd3, 0xf2));
    skyGrad.setColorAt(1, sky);
    p.fillRect(img.rect(), skyGrad);
    disc(p, QPointF(106, 42), 13, QColor(0xf2, 0xb8, 0x2e));  // sun

    QPainterPath back;
    back.moveTo(0, 125);
    back.lineTo(28, 78);
    back.lineTo(44, 94);
    back.lineTo(60, 72);
    back.lineTo(150, 120);
    back.lineTo(150, 200);
    back.lineTo(0, 200);
    back.closeSubpath();
    fill(p, back, QColor(0x5b, 0x86, 0xc0));

    QPainterPath peak;
    peak.moveTo(0, 150);
    peak.lineTo(50, 92);
    peak.lineTo(64, 104);
    peak.lineTo(88, 56);
    peak.lineTo(150, 140);
    peak.lineTo(150, 200);
    peak.lineTo(0, 200);
    peak.closeSubpath();
    fill(p, peak, navy);

    QPainterPath snow;
    snow.moveTo(88, 56);
    snow.lineTo(101, 73.5);
    snow.lineTo(95, 70);
    snow.lineTo(90, 77);
    snow.lineTo(84, 70);
    snow.lineTo(78, 76);
    snow.closeSubpath();
    fill(p, snow, Paper);
    QPainterPath snow2;
    snow2.moveTo(50, 92);
    snow2.lineTo(58, 99);
    snow2.lineTo(52, 98);
    snow2.lineTo(47, 103);
    snow2.lineTo(42, 101);
    snow2.closeSubpath();
    fill(p, snow2, Paper);

    // the track of a skier, swinging down the slope
    QPainterPath track;
    track.moveTo(89, 82);
    track.cubicTo(110, 96, 104, 106, 82, 114);
    track.cubicTo(58, 123, 56, 134, 78, 146);
    track.cubicTo(98, 157, 92, 168, 70, 184);
    QPen dash(Paper, 3.2, Qt::DashLine, Qt::RoundCap);
    dash.setDashPattern({1.4, 1.6});
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawPath(track);

    snowflake(p, QPointF(36, 40), 12, Paper, 2.4);
    p.restore();

    // the rim
    p.setPen(QPen(navy, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);
    p.setPen(QPen(Paper, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shieldPath(QRectF(15.5, 14.5, 119, 166)));
    return img;
}

QImage strip()
{
    const int w = 104, h = 400;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Paper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient band(0, 0, 0, h);
    band.setColorAt(0, QColor(0x0f, 0x2a, 0x57));
    band.setColorAt(0.7, QColor(0x1d, 0x5f, 0xad));
    band.setColorAt(1, QColor(0x6d, 0xa6, 0xe0));
    p.fillRect(QRectF(0, 0, w, h), band);

    // snowflakes, larger ones alternating left and right, small ones between
    const QColor flake(255, 255, 255, 235);
    for (int i = 0; i < 6; ++i) {
        const double y = 34 + i * 46;
        const double x = (i % 2 == 0) ? 34 : 70;
        snowflake(p, QPointF(x, y), 15 - i, flake, 2.6, i * 10);
        snowflake(p, QPointF(i % 2 == 0 ? 80 : 24, y + 20), 6, QColor(255, 255, 255, 170), 1.6, 30);
    }

    // a mountain range at the foot of the strip
    QPainterPath far;
    far.moveTo(0, 330);
    far.lineTo(22, 312);
    far.lineTo(38, 324);
    far.lineTo(66, 296);
    far.lineTo(104, 326);
    far.lineTo(104, h);
    far.lineTo(0, h);
    far.closeSubpath();
    fill(p, far, QColor(0xc9, 0xdf, 0xf5));
    QPainterPath nearRange;
    nearRange.moveTo(0, 352);
    nearRange.lineTo(30, 326);
    nearRange.lineTo(46, 340);
    nearRange.lineTo(62, 330);
    nearRange.lineTo(104, 362);
    nearRange.lineTo(104, h);
    nearRange.lineTo(0, h);
    nearRange.closeSubpath();
    fill(p, nearRange, Paper);
    // the shaded flanks of the two peaks
    const QColor shadow(0xdc, 0xe9, 0xf7);
    QPainterPath shade;
    shade.moveTo(30, 326);
    shade.lineTo(46, 340);
    shade.lineTo(43, 347);
    shade.lineTo(31, 370);
    shade.lineTo(34, 346);
    shade.closeSubpath();
    shade.moveTo(62, 330);
    shade.lineTo(104, 362);
    shade.lineTo(104, 384);
    shade.lineTo(76, 362);
    shade.lineTo(67, 346);
    shade.closeSubpath();
    fill(p, shade, shadow);
    return img;
}

QImage race()
{
    QImage img(96, 96, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor red(0xd3, 0x2a, 0x2a), darkRed(0x9c, 0x1b, 0x1b);
    // snow drift the gate stands in
    QPainterPath drift;
    drift.moveTo(4, 86);
    drift.quadTo(30, 74, 56, 80);
    drift.quadTo(78, 84, 92, 79);
    drift.lineTo(92, 90);
    drift.quadTo(48, 94, 4, 90);
    drift.closeSubpath();
    fill(p, drift, QColor(0xd5, 0xe6, 0xf7));
    stroke(p, drift, 1.6, Accent);

    // a gate: two poles with a flag between them, blown a little by the wind
    const double l = 22, r = 74, top = 12, flagLow = 46;
    QPainterPath flag;
    flag.moveTo(l, top + 3);
    flag.cubicTo(38, top - 2, 56, top + 7, r, top + 3);
    flag.lineTo(r, flagLow);
    flag.cubicTo(56, flagLow + 4, 38, flagLow - 5, l, flagLow);
    flag.closeSubpath();
    fill(p, flag, red);
    QPainterPath fold;
    fold.moveTo(46, top + 4);
    fold.cubicTo(50, 24, 44, 36, 47, flagLow);
    stroke(p, fold, 1.4, darkRed);

    for (double x : {l, r}) {
        stroke(p, {QPointF(x, 7), QPointF(x, 84)}, 4, Ink);
        disc(p, QPointF(x, 7), 3, red);
    }
    return img;
}

// ---------------------------------------------------------------------------

struct Pictogram {
    const char *file;
    double widthMm, heightMm;
    void (*scene)(QPainter &);
};

const Pictogram Pictograms[] = {
    {"pictogram1.png", 100, 65, skier},        {"pictogram2.png", 100, 80, snowboarder},
    {"pictogram3.png", 100, 75, sledger},      {"pictogram4.png", 90, 84, child},
    {"pictogram5.png", 40, 84, femaleRunner},  {"pictogram6.png", 34, 84, maleRunner},
    {"pictogram7.png", 80, 84, pair},          {"pictogram8.png", 60, 84, cyclist},
};

constexpr double PixelsPerMm = 12;

}  // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: picgen <output directory>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }
    bool ok = true;
    auto save = [&](const QImage &img, const char *name) {
        const QString path = out.filePath(QString::fromLatin1(name));
        if (!img.save(path, "PNG", 0)) {
            err << "cannot write " << path << "\n";
            ok = false;
        }
    };
    for (const Pictogram &pg : Pictograms) {
        const QSize size(int(std::lround(pg.widthMm * PixelsPerMm)), int(std::lround(pg.heightMm * PixelsPerMm)));
        const QImage img = renderFitted(size, pg.scene, 0.035, Paper);
        save(toPalette(img, {Paper, Ink, Accent}), pg.file);
        // The main window shows each pictogram fitted into its picture area
        // (136 x 96 pixels); it carries that size too, scaled from the file
        // just written as the window would scale it, so that starting the
        // program decodes small pictures only.
        const QImage written(out.filePath(QString::fromLatin1(pg.file)));
        const QByteArray screen = QByteArray(pg.file).replace(".png", "-screen.png");
        save(written.scaled(QSize(136, 96), Qt::KeepAspectRatio, Qt::SmoothTransformation),
             screen.constData());
    }
    // The print window shows the emblem and the strip stretched into its
    // picture boxes (40 x 53 and 14 x 53 pixels); it carries those sizes too,
    // scaled as the boxes would scale them.
    const struct {
        QImage picture;
        const char *file;
        QSize shown;
    } headPictures[] = {
        {emblem(), "emblem.png", QSize(40, 53)},
        {strip(), "strip.png", QSize(14, 53)},
    };
    for (const auto &hp : headPictures) {
        save(hp.picture, hp.file);
        const QImage written(out.filePath(QString::fromLatin1(hp.file)));
        const QByteArray screen = QByteArray(hp.file).replace(".png", "-screen.png");
        save(written.scaled(hp.shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
             screen.constData());
    }
    save(race(), "race.png");
    return ok ? 0 : 1;
}
