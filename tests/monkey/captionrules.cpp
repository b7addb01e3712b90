// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkey/captionrules.h"

#include "monkey/windowreading.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QWidget>

namespace monkey {

namespace {

// A caption is allowed when it matches one of its rule's texts: a plain text,
// or a pattern for the texts that carry a number or a letter.
struct Allowed
{
    QRegularExpression regex;
    QString exact;      // a plain text itself; none for a pattern
};

struct Rule
{
    const char *control;
    QList<Allowed> texts;
};

Allowed plain(const QString &text)
{
    return {QRegularExpression(QRegularExpression::anchoredPattern(QRegularExpression::escape(text))), text};
}
Allowed plain(const char *text) { return plain(QString::fromUtf8(text)); }
Allowed pattern(const QString &regex)
{
    return {QRegularExpression(QRegularExpression::anchoredPattern(regex)), {}};
}

// Numbers as captions write them: a blank before zero and positive numbers, a
// minus sign before negative ones, no padding.
const QString kSigned = QStringLiteral("(?: (?:0|[1-9][0-9]*)|-[1-9][0-9]*)");
const QString kCount = QStringLiteral(" (?:0|[1-9][0-9]*)");
const QString kSixty = QStringLiteral(" (?:[0-9]|[1-5][0-9])");
const QString kUpToTen = QStringLiteral(" (?:[0-9]|10)");
const QString kUpToTwentyFive = QStringLiteral(" (?:[0-9]|1[0-9]|2[0-5])");
const Allowed kEmpty = plain("");

QList<Rule> drillRules(FormId id)
{
    const bool recognition = id == FormId::RecognitionDrill;
    QList<Rule> rules = {
        {"Label1", {kEmpty, pattern("[A-Za-z]")}},
        {"Label2", {kEmpty, pattern("TEMPO TRASCORSO " + kCount + " : " + kSixty + " : " + kSixty)}},
        {"Label3", {kEmpty, pattern("ESERCIZIO NUMERO " + kUpToTen), pattern("ESERCIZI ESEGUITI " + kUpToTwentyFive)}},
        {"Label4", {kEmpty, pattern("RISPOSTE ESATTE " + kSigned)}},
        {"Label5", {kEmpty, pattern("RISPOSTE ERRATE " + kCount)}},
        {"Label6", {kEmpty, plain(" ESATTO "), plain("LA LETTERA E' MAIUSCOLA "), plain("la lettera \u00e8 minuscola ")}},
        {"Label7", {kEmpty, plain("PREMERE INVIO PER CONTINUARE")}},
        {"Label8", {plain("Lettere Maiuscole"), plain("lettere minuscole")}},
        {"Label9", {kEmpty}},
        {"Label10", {kEmpty, plain(recognition ? "  PREMI IL TASTO DELLA LETTERA CORRISPONDENTE"
                                               : "  PREMI IL TASTO DELLA LETTERA SUCCESSIVA")}},
        {recognition ? "Label11" : "Label12", {plain("Alfabeto Italiano"), plain("Alfabeto Inglese")}},
        {"Command1", {plain("&NUOVO")}},
        {"Command2", {plain("&SOSPENDI"), plain("&CONTINUA")}},
        {"Command3", {plain("&TERMINA")}},
        {"Command4", {plain("&ESCI")}},
        {"Command5", {plain("&RISULTATI")}},
        {"Mnu_Gioco", {plain("&Gioco")}},
        {"Mnu_Nuovo", {plain("&Nuovo")}},
        {"Mnu_Risultati", {plain("&Risultati")}},
        {"Mnu_Sospendi", {plain("&Sospendi")}},
        {"Mnu_Termina", {plain("&Termina")}},
        {"Mnu_Esci", {plain("&Esci")}},
        {"Opzioni", {plain("&Opzioni")}},
        {"Mnu_Maiuscole", {plain(recognition ? "Maiuscole" : "Lettere Maiuscole")}},
        {"Mnu_minuscole", {plain(recognition ? "minuscole" : "lettere minuscole")}},
        {"space", {kEmpty}},
        {"Mnu_Italiano", {plain("Alfabeto Italiano")}},
        {"Mnu_Inglese", {plain("Alfabeto Inglese")}},
        {"Mnu_Informazioni", {plain("&Informazioni")}},
    };
    // The letters of the sequence answered so far.
    if (!recognition)
        rules.append({"Label11", {kEmpty, pattern("[A-Za-z]+")}});
    return rules;
}

QList<Rule> wordOrderRules()
{
    return {
        {"Label1", {plain("Verifica Immediata"), plain("Verifica Intermedia o Finale")}},
        {"Label2", {plain("ELENCO CASUALE")}},
        {"Label3", {kEmpty, plain("NUOVO ELENCO "), plain("NUOVO ELENCO"), plain("LISTA ORDINATA"),
                    plain("LISTA ERRATA"), plain("Un solo termine?"), plain("Lista Vuota !")}},
        {"Label4", {kEmpty, plain("ESATTO")}},
        {"Label5", {kEmpty, plain("Clicca sul termine errato per rimuoverlo"),
                    plain("Elenco pieno: al massimo 117 parole")}},
        {"Label6", {kEmpty, pattern("Correzioni  (?:0|[1-9][0-9]*)")}},
        {"Label7", {plain("Clicca")}},
        {"Label8", {plain("Oppure  Inserisci ...")}},
        {"Label9", {plain("Label9"), pattern("0|-?[1-9][0-9]*")}},
        {"Label10", {plain("Label10"), pattern("[1-9][0-9]*")}},
        {"Command1", {plain("&NUOVO")}},
        {"Command2", {plain("&ESCI")}},
        {"Command3", {plain("&VERIFICA L'ORDINAMENTO")}},
        {"livelli", {plain("&Livelli")}},
        {"liv1", {plain("Verifica Immediata")}},
        {"liv2", {plain("Verifica Intermedia o Finale")}},
        {"Lingua", {plain("Lingua")}},
        {"It", {plain("Italiano")}},
        {"En", {plain("Inglese")}},
        {"info", {plain("&Informazioni")}},
    };
}

QList<Rule> chooserRules()
{
    return {
        {"Command1", {plain("&ESCI")}},
        {"Option1", {plain("Riconoscere le lettere dell'alfabeto, Maiuscole o minuscole")}},
        {"Option2", {plain("Mettere in sequenza le lettere dell'alfabeto, Maiuscole o minuscole")}},
        {"Option3", {plain("Ordinare alfabeticamente dei nomi, prelevati da una lista o digitati da tastiera")}},
    };
}

const char *windowTitle(FormId id)
{
    switch (id) {
    case FormId::Chooser: return "LUPREDA";
    case FormId::RecognitionDrill: return "RICONOSCERE LE LETTERE DELL'ALFABETO";
    case FormId::SequenceDrill: return "METTERE IN SEQUENZA LE LETTERE DELL'ALFABETO";
    case FormId::WordOrder: return "ORDINAMENTO ALFABETICO";
    }
    return "";
}

const QList<Rule> &rulesOf(FormId id)
{
    static const QList<Rule> chooser = chooserRules();
    static const QList<Rule> recognition = drillRules(FormId::RecognitionDrill);
    static const QList<Rule> sequence = drillRules(FormId::SequenceDrill);
    static const QList<Rule> words = wordOrderRules();
    switch (id) {
    case FormId::Chooser: return chooser;
    case FormId::RecognitionDrill: return recognition;
    case FormId::SequenceDrill: return sequence;
    case FormId::WordOrder: break;
    }
    return words;
}

// The text a control shows: a label's caption, a button's text, a menu's title.
bool readText(const QWidget *window, const char *name, QString *text)
{
    const QString objectName = QLatin1String(name);
    if (auto *label = window->findChild<QLabel *>(objectName))
        *text = label->text();
    else if (auto *button = window->findChild<QAbstractButton *>(objectName))
        *text = button->text();
    else if (auto *action = window->findChild<QAction *>(objectName))
        *text = action->text();
    else if (auto *menu = window->findChild<QMenu *>(objectName))
        *text = menu->title();
    else
        return false;
    return true;
}

bool allowed(const Rule &rule, const QString &text)
{
    return std::any_of(rule.texts.begin(), rule.texts.end(),
                       [&](const Allowed &texts) { return texts.regex.match(text).hasMatch(); });
}

} // namespace

QMap<QString, QStringList> plainCaptions(FormId id)
{
    QMap<QString, QStringList> captions;
    for (const Rule &rule : rulesOf(id)) {
        QStringList &texts = captions[QLatin1String(rule.control)];
        for (const Allowed &allowed : rule.texts)
            if (!allowed.exact.isEmpty())
                texts << allowed.exact;
    }
    return captions;
}

QStringList checkCaptions(FormId id, const QWidget *window)
{
    QStringList problems;
    if (window->windowTitle() != QLatin1String(windowTitle(id)))
        problems << QStringLiteral("window title %1").arg(quoted(window->windowTitle()));
    for (const Rule &rule : rulesOf(id)) {
        QString text;
        if (!readText(window, rule.control, &text))
            problems << QStringLiteral("%1 is missing").arg(QLatin1String(rule.control));
        else if (!allowed(rule, text))
            problems << QStringLiteral("%1 reads %2, a text the program never writes there")
                            .arg(QLatin1String(rule.control), quoted(text));
    }
    for (const QAction *action : window->findChildren<QAction *>()) {
        if (action->isChecked())
            problems << QStringLiteral("menu item %1 carries a check mark").arg(action->objectName());
    }
    return problems;
}

namespace {

bool enabled(const QWidget *window, const char *name) { return window->findChild<QWidget *>(name)->isEnabled(); }
bool itemEnabled(const QWidget *window, const char *name) { return window->findChild<QAction *>(name)->isEnabled(); }

// The letters a drill can show: any of its alphabet in recognition, all but
// the last in the sequence, whose last letter is only ever an answer.
QString lettersShown(FormId id, bool italian, bool capitals)
{
    QString letters = italian ? kItalianLetters : kEnglishLetters;
    if (id == FormId::SequenceDrill)
        letters.chop(1);
    return capitals ? letters : letters.toLower();
}

} // namespace

QStringList checkDrillState(FormId id, const QWidget *window)
{
    QStringList problems;
    const bool results = shown(window, "Label2");
    for (const char *label : {"Label3", "Label4", "Label5"}) {
        if (shown(window, label) != results)
            problems << QStringLiteral("%1 is %2 while Label2 is not").arg(QLatin1String(label), results ? "hidden" : "shown");
    }
    if (enabled(window, "Command1") == enabled(window, "Command3"))
        problems << QStringLiteral("NUOVO and TERMINA are both %1").arg(enabled(window, "Command1") ? "enabled" : "disabled");
    for (auto [button, item] : {std::pair{"Command2", "Mnu_Sospendi"}, std::pair{"Command3", "Mnu_Termina"},
                                std::pair{"Command5", "Mnu_Risultati"}}) {
        if (enabled(window, button) != itemEnabled(window, item))
            problems << QStringLiteral("%1 and %2 differ in being enabled").arg(QLatin1String(button), QLatin1String(item));
    }
    const QString letter = caption(window, "Label1");
    if (!letter.isEmpty()) {
        const bool italian = caption(window, id == FormId::RecognitionDrill ? "Label11" : "Label12") == "Alfabeto Italiano";
        const bool capitals = caption(window, "Label8") == "Lettere Maiuscole";
        if (!lettersShown(id, italian, capitals).contains(letter))
            problems << QStringLiteral("the letter shown, %1, is not one of %2")
                            .arg(quoted(letter), lettersShown(id, italian, capitals));
    }
    return problems;
}

QStringList checkChooserState(const QWidget *window)
{
    QStringList problems;
    for (const char *option : {"Option1", "Option2", "Option3"}) {
        if (window->findChild<QRadioButton *>(option)->isChecked())
            problems << QStringLiteral("%1 is selected while the chooser is on screen").arg(QLatin1String(option));
    }
    return problems;
}

} // namespace monkey
