// The editor window: its controls, their places and the exit button.
#include "editor/form1.h"

#include "platform/pictures.h"

#include <utility>

namespace editor {

const QString Form1::caption = QStringLiteral("Tolmar Korvo - editor ");

Form1::Form1(platform::Dialogs &dialogs, std::filesystem::path programFolder, QWidget *parent)
    : QWidget(parent)
    , Label1(this)
    , Label2(this)
    , Image1(platform::Sprite{})
    , Picture1(this)
    , Frame1(this)
    , Command1(QStringLiteral("&Ulož"), this)
    , Command2(QStringLiteral("&Načti"), this)
    , Command3(QStringLiteral("&Exit"), this)
    , Frame2(this)
    , Command5(QStringLiteral("&Odstraň"), &Frame2)
    , Command4(QStringLiteral("&Smaž vše"), &Frame2)
    , dialogs(dialogs)
    , programFolder(std::move(programFolder))
{
    setWindowTitle(caption);
    setWindowIcon(platform::programIcon());
    setFixedSize(484, 286);
    placeControls();
    connectHandlers();
    Form_Load();
}

void Form1::placeControls()
{
    Label1.setText(QStringLiteral(
        "Tento program patří ke hře Korvo a slouží k tvorbě map pro její levely. "
        "Dotazy k tvorbě levelů posílejte autorovi e-mailem."));
    Label1.setWordWrap(true);
    Label1.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1.setGeometry(0, 8, 73, 225);

    Label2.setText(QStringLiteral("Tolmar"));
    QFont makerFont(QStringLiteral("Sans Serif"));
    makerFont.setStyleHint(QFont::SansSerif);
    makerFont.setPointSizeF(13.5);
    Label2.setFont(makerFont);
    Label2.setGeometry(8, 248, 65, 25);

    Picture1.move(80, 8);
    Picture1.addLayer(Image1, platform::wallPicture());

    // The first three buttons stand on Frame1 but belong to the window;
    // the other two are held by Frame2.
    Frame1.setGeometry(360, 0, 121, 177);
    Command1.setGeometry(392, 40, 57, 17);
    Command2.setGeometry(392, 72, 57, 17);
    Command3.setGeometry(392, 104, 57, 17);
    Frame2.setGeometry(360, 184, 121, 97);
    Command5.setGeometry(32, 24, 57, 17);
    Command4.setGeometry(32, 64, 57, 17);
}

void Form1::connectHandlers()
{
    connect(&Picture1, &platform::Playfield::pressed, this, &Form1::mapPressed);
    connect(&Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(&Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(&Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(&Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(&Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
}

void Form1::Command3_Click()
{
    close();
}

} // namespace editor
