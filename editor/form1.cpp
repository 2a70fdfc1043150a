// The editor window: its controls, their places and the exit button.
#include "editor/form1.h"

#include "platform/pictures.h"

#include <utility>

namespace editor {

const QString Form1::caption = QStringLiteral("Tolmar Korvo - editor ");

namespace {

// The buttons are 57 pixels wide and the help text 73: a narrow face at a
// small size leaves room around "Smaž vše" and the help text's longest word.
QFont controlFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSize(8);
    return font;
}

QPushButton *makeButton(const QString &caption, QWidget *parent, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    return button;
}

} // namespace

Form1::Form1(platform::Dialogs &dialogs, std::filesystem::path programFolder, QWidget *parent)
    : QWidget(parent)
    , Image1(platform::Sprite{})
    , dialogs(dialogs)
    , programFolder(std::move(programFolder))
{
    setWindowTitle(caption);
    setWindowIcon(platform::programIcon());
    setFixedSize(484, 286);
    setFont(controlFont());
    createControls();
    connectHandlers();
    Form_Load();
}

void Form1::createControls()
{
    Label1 = new QLabel(QStringLiteral("Tento program patří ke hře Korvo a slouží k tvorbě map pro její levely. "
                                       "Dotazy k tvorbě levelů posílejte autorovi mailem."),
                        this);
    Label1->setWordWrap(true);
    Label1->setContentsMargins(6, 0, 0, 0);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(0, 8, 73, 225);

    Label2 = new QLabel(QStringLiteral("Tolmar"), this);
    QFont makerFont(QStringLiteral("Sans Serif"));
    makerFont.setStyleHint(QFont::SansSerif);
    makerFont.setPointSizeF(13.5);
    Label2->setFont(makerFont);
    Label2->setGeometry(8, 248, 65, 25);

    Picture1 = new platform::Playfield(this);
    Picture1->move(80, 8);
    Picture1->addLayer(Image1, platform::wallPicture());

    // The first three buttons stand on Frame1 but belong to the window;
    // the other two are held by Frame2.
    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(360, 0, 121, 177);
    Command1 = makeButton(QStringLiteral("&Ulož"), this, {392, 40, 57, 17});
    Command2 = makeButton(QStringLiteral("&Načti"), this, {392, 72, 57, 17});
    Command3 = makeButton(QStringLiteral("&Exit"), this, {392, 104, 57, 17});
    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(360, 184, 121, 97);
    Command5 = makeButton(QStringLiteral("&Odstraň"), Frame2, {32, 24, 57, 17});
    Command4 = makeButton(QStringLiteral("&Smaž vše"), Frame2, {32, 64, 57, 17});
}

void Form1::connectHandlers()
{
    connect(Picture1, &platform::Playfield::pressed, this, &Form1::mapPressed);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
}

void Form1::Command3_Click()
{
    close();
}

} // namespace editor
