#include "Velorin/Settings/FingerGuide.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

#include "Velorin/AppModel.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/NumericText.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {
constexpr double countSpacing = 8;
}

// The number of fingers in large rounded digits (rolling as it changes) and
// its word, on one baseline.
class FingerGuide::Count final : public QWidget {
public:
    explicit Count(QWidget* parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        number_ = new NumericText(Fonts::rounded(44, QFont::Bold), Theme::ink, this);
        number_->setObjectName("fingerGuide.count");
    }

    void set(const QString& number, const QString& word, bool lit) {
        number_->rollTo(number, Theme::snappy);
        number_->setColor(lit ? Theme::honey : Theme::ink);
        if (word != word_) {
            word_ = word;
            update();
        }
        number_->resize(number_->sizeHint());
        updateGeometry();
        update();
    }
    QString number() const { return number_->text(); }
    QString word() const { return word_; }
    bool lit() const { return number_->color() == Theme::honey; }

    QSize sizeHint() const override {
        const double w =
            number_->sizeHint().width() + countSpacing + QFontMetricsF(wordFont()).horizontalAdvance(word_);
        return QSize(int(std::ceil(w)) + 1, number_->sizeHint().height());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(wordFont());
        painter.setPen(Theme::inkMuted.resolve(colorEnvironmentFor(this)));
        painter.drawText(QPointF(number_->width() + countSpacing, number_->baseline()), word_);
    }

private:
    static QFont wordFont() { return Fonts::system(14, QFont::DemiBold); }
    NumericText* number_ = nullptr;
    QString word_;
};

// The 7-point dot before a row's action.
class FingerGuide::Dot final : public QWidget {
public:
    explicit Dot(QWidget* parent) : QWidget(parent) { setFixedSize(7, 7); }
    void setColor(ThemeColor color) {
        color_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color_.resolve(colorEnvironmentFor(this)));
        painter.drawEllipse(QRectF(rect()));
    }

private:
    ThemeColor color_ = Theme::honey;
};

FingerGuide::FingerGuide(AppModel& model, QWidget* parent)
    : GlassCard(16, 20, ThemeColor::clear(), parent), model_(model) {
    setObjectName("fingerGuide");
    setFixedWidth(int(width));
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    count_ = new Count(content);
    column->addWidget(count_);

    for (Row& row : rows_) {
        auto* box = new QVBoxLayout;
        box->setSpacing(2);
        row.label = new ThemedText("", Fonts::system(11, QFont::DemiBold), Theme::inkMuted, content);
        box->addWidget(row.label);
        row.entry = new QWidget(content);
        auto* line = new QHBoxLayout(row.entry);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(6);
        row.dot = new Dot(row.entry);
        line->addWidget(row.dot, 0, Qt::AlignVCenter);
        row.action = new ThemedText("", Fonts::system(12.5, QFont::Medium), Theme::ink, row.entry);
        line->addWidget(row.action, 1);
        box->addWidget(row.entry);
        row.nothing =
            new ThemedText(TrackpadRules::nothingYetText, Fonts::system(12.5), Theme::inkMuted.opacity(0.7), content);
        box->addWidget(row.nothing);
        column->addLayout(box);
    }

    auto* note = new ThemedText("In every app. App packs can change these while their app is in front.",
                                Fonts::system(10.5), Theme::inkMuted, content);
    note->setWrapping(true);
    column->addWidget(note);
    addContent(content);

    const Engine& engine = model_.engine();
    observations_.add(engine.liveTouches(),
                      [this](const std::vector<Touch>& touches) { followTouches(touches.size()); });
    observations_.add(engine.config(), [this](const AppConfig&) { refreshRows(); });
    followTouches(engine.liveTouches().get().size());
    refreshRows();
}

FingerGuide::~FingerGuide() { observations_.clear(); }

void FingerGuide::followTouches(std::size_t touches) {
    const int count = int(std::min<std::size_t>(touches, 1000));
    const int next = TrackpadRules::shownFingers(shown_, count);
    lit_ = count > 0;
    const bool changed = next != shown_;
    shown_ = next;
    count_->set(QString::number(shown_), QString::fromStdString(TrackpadRules::fingerWord(shown_)), lit_);
    if (changed) refreshRows();
}

void FingerGuide::refreshRows() {
    const auto rows = TrackpadRules::guideRows(model_.engine().config().get(), shown_);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row& row = rows_[i];
        row.label->setText(QString::fromStdString(rows[i].label));
        const bool has = rows[i].entry.has_value();
        row.entry->setVisible(has);
        row.nothing->setVisible(!has);
        row.dotColor = has ? std::optional<ThemeColor>(rows[i].entry->dot) : std::nullopt;
        if (has) {
            row.action->setText(QString::fromStdString(rows[i].entry->action));
            row.dot->setColor(rows[i].entry->dot);
        }
    }
}

QString FingerGuide::countText() const { return count_->number(); }
QString FingerGuide::wordText() const { return count_->word(); }
QString FingerGuide::rowLabel(std::size_t row) const { return rows_[row].label->text(); }
QString FingerGuide::rowText(std::size_t row) const {
    return rows_[row].dotColor ? rows_[row].action->text() : rows_[row].nothing->text();
}
std::optional<ThemeColor> FingerGuide::rowDot(std::size_t row) const { return rows_[row].dotColor; }

}  // namespace velorin
