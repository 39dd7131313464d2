#include "platform/ui/commdlg/DialogTexts.h"

#include "platform/ui/commctrl/ControlLanguage.h"

namespace kq::ui::commdlg {

namespace {

// German, English, French, in the order of Text.
const LocalText kTexts[] = {
    {"OK", "OK", "OK"},
    {"Abbrechen", "Cancel", "Annuler"},
    {"\xC3\x96"
     "ffnen",
     "Open", "Ouvrir"},
    {"Speichern unter", "Save As", "Enregistrer sous"},
    {"&Suchen in:", "Look &in:", "Regarder &dans :"},
    {"Speichern &in:", "Save &in:", "Enregistrer &dans :"},
    {"Datei&name:", "File &name:", "&Nom du fichier :"},
    {"Datei&typ:", "Files of &type:", "&Type :"},
    {"\xC3\x96"
     "&ffnen",
     "&Open", "&Ouvrir"},
    {"&Speichern", "&Save", "&Enregistrer"},
    {"&Schreibgesch\xC3\xBCtzt \xC3\xB6"
     "ffnen",
     "Open as &read-only", "Ouvrir en &lecture seule"},
    {"\xC3\x9C"
     "bergeordneter Ordner",
     "Up one level", "Dossier parent"},
    {"Neuer Ordner", "New Folder", "Nouveau dossier"},
    {"%s ist bereits vorhanden.\nM\xC3\xB6"
     "chten Sie die Datei ersetzen?",
     "%s already exists.\nDo you want to replace it?",
     "%s existe d\xC3\xA9j\xC3\xA0.\nVoulez-vous le remplacer ?"},
    {"%s ist nicht vorhanden.\nM\xC3\xB6"
     "chten Sie die Datei erstellen?",
     "%s does not exist.\nDo you want to create it?",
     "%s n'existe pas.\nVoulez-vous le cr\xC3\xA9"
     "er ?"},
    {"%s\nDatei nicht gefunden.\n\xC3\x9C"
     "berpr\xC3\xBC"
     "fen Sie den Dateinamen, und "
     "wiederholen Sie den Vorgang.",
     "%s\nFile not found.\nCheck the file name and try again.",
     "%s\nFichier introuvable.\nV\xC3\xA9rifiez le nom du fichier et r\xC3\xA9"
     "essayez."},
    {"%s\nDer Pfad ist nicht vorhanden.\n\xC3\x9C"
     "berpr\xC3\xBC"
     "fen Sie den Pfad, und "
     "wiederholen Sie den Vorgang.",
     "%s\nPath does not exist.\nCheck the path and try again.",
     "%s\nLe chemin d'acc\xC3\xA8s n'existe pas.\nV\xC3\xA9rifiez le chemin et "
     "r\xC3\xA9"
     "essayez."},
    {"%s\nDer Dateiname ist ung\xC3\xBCltig.", "%s\nThe file name is not valid.",
     "%s\nLe nom de fichier n'est pas valide."},
    {"Ordner suchen", "Browse for Folder", "Rechercher un dossier"},
    {"W\xC3\xA4hlen Sie einen Ordner aus:", "Select a folder:", "S\xC3\xA9lectionnez un dossier :"},
    {"&Neuen Ordner erstellen", "&Make New Folder",
     "&Cr\xC3\xA9"
     "er un nouveau dossier"},
    {"&Ordner:", "&Folder:", "&Dossier :"},
    {"Neuer Ordner", "New Folder", "Nouveau dossier"},
    {"Der Ordner %s konnte nicht erstellt werden.", "The folder %s could not be created.",
     "Impossible de cr\xC3\xA9"
     "er le dossier %s."},
    {"%s ist kein Ordner.", "%s is not a folder.", "%s n'est pas un dossier."},
    {"Farbe", "Color", "Couleurs"},
    {"&Grundfarben:", "&Basic colors:", "Couleurs de &base :"},
    {"&Benutzerdefinierte Farben:", "&Custom colors:",
     "Couleurs &personnalis\xC3\xA9"
     "es :"},
    {"&Farben definieren >>", "&Define Custom Colors >>",
     "&D\xC3\xA9"
     "finir les couleurs personnalis\xC3\xA9"
     "es >>"},
    {"Farben &hinzuf\xC3\xBCgen", "&Add to Custom Colors",
     "&Ajouter aux couleurs personnalis\xC3\xA9"
     "es"},
    {"&Rot:", "&Red:", "&Rouge :"},
    {"Gr\xC3\xBC&n:", "&Green:", "&Vert :"},
    {"Bla&u:", "Bl&ue:", "Ble&u :"},
    {"Schriftart", "Font", "Police"},
    {"&Schriftart:", "&Font:", "&Police :"},
    {"Schrifts&chnitt:", "Font st&yle:", "St&yle :"},
    {"Schrift&grad:", "&Size:", "&Taille :"},
    {"Effekte", "Effects", "Effets"},
    {"&Durchgestrichen", "Stri&keout", "&Barr\xC3\xA9"},
    {"&Unterstrichen", "&Underline", "&Soulign\xC3\xA9"},
    {"&Farbe:", "&Color:", "&Couleur :"},
    {"Beispiel", "Sample", "Exemple"},
    {"Standard", "Regular", "Normal"},
    {"Kursiv", "Italic", "Italique"},
    {"Fett", "Bold", "Gras"},
    {"Fett Kursiv", "Bold Italic", "Gras italique"},
    {"Es gibt keine Schriftart mit diesem Namen.\nW\xC3\xA4hlen Sie eine Schriftart aus der "
     "Liste.",
     "There is no font with that name.\nChoose a font from the list of fonts.",
     "Aucune police ne porte ce nom.\nChoisissez une police dans la liste."},
    {"Der Schriftgrad muss zwischen %d und %d Punkt liegen.",
     "Size must be between %d and %d points.",
     "La taille doit \xC3\xAAtre comprise entre %d et %d points."},
    {"Der Schriftgrad muss eine Zahl sein.", "Size must be a number.",
     "La taille doit \xC3\xAAtre un nombre."},
    {"Drucken", "Print", "Imprimer"},
    {"Seite einrichten", "Page Setup", "Mise en page"},
    {"Drucker", "Printer", "Imprimante"},
    {"&Name:", "&Name:", "&Nom :"},
    {"PDF-Datei", "PDF file", "Fichier PDF"},
    {"&Datei:", "&File:", "&Fichier :"},
    {"Anzahl &Exemplare:", "Number of &copies:", "Nombre de &copies :"},
    {"Exemplare", "Copies", "Copies"},
    {"&Sortieren", "C&ollate",
     "Copies &tri\xC3\xA9"
     "es"},
    {"Druckbereich", "Print range", "\xC3\x89tendue de pages"},
    {"&Alles", "&All", "&Tout"},
    {"S&eiten", "Pa&ges", "Pa&ges"},
    {"&Markierung", "&Selection", "&S\xC3\xA9lection"},
    {"&von:", "&from:", "&de :"},
    {"&bis:", "&to:", "&\xC3\xA0 :"},
    {"Ausrichtung", "Orientation", "Orientation"},
    {"&Hochformat", "P&ortrait", "P&ortrait"},
    {"&Querformat", "L&andscape", "P&aysage"},
    {"Papier", "Paper", "Papier"},
    {"A4 (210 x 297 mm)", "A4 (210 x 297 mm)", "A4 (210 x 297 mm)"},
    {"R\xC3\xA4nder (mm)", "Margins (millimeters)", "Marges (mm)"},
    {"&Links:", "&Left:", "&Gauche :"},
    {"&Rechts:", "&Right:", "&Droite :"},
    {"&Oben:", "&Top:", "&Haut :"},
    {"&Unten:", "&Bottom:", "&Bas :"},
    {"Es sind keine Drucker eingerichtet.", "No printers are installed.",
     "Aucune imprimante n'est install\xC3\xA9"
     "e."},
    {"PDF-Dateien (*.pdf)|*.pdf||", "PDF Files (*.pdf)|*.pdf||", "Fichiers PDF (*.pdf)|*.pdf||"},
    {"Geben Sie eine Zahl zwischen %d und %d ein.", "Enter a number between %d and %d.",
     "Entrez un nombre compris entre %d et %d."},
    {"R\xC3\xA4nder (Zoll)", "Margins (inches)", "Marges (pouces)"},
    {"Die R\xC3\xA4nder lassen keinen Platz auf dem Papier.",
     "The margins leave no room on the paper.",
     "Les marges ne laissent aucune place sur le papier."},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<size_t>(Text::Count),
              "one entry per text");

const LocalText kColors[16] = {
    {"Schwarz", "Black", "Noir"},
    {"Kastanienbraun", "Maroon", "Bordeaux"},
    {"Gr\xC3\xBCn", "Green", "Vert"},
    {"Oliv", "Olive", "Olive"},
    {"Marineblau", "Navy", "Bleu marine"},
    {"Violett", "Purple", "Violet"},
    {"Blaugr\xC3\xBCn", "Teal", "Sarcelle"},
    {"Grau", "Gray", "Gris"},
    {"Silber", "Silver", "Argent"},
    {"Rot", "Red", "Rouge"},
    {"Hellgr\xC3\xBCn", "Lime", "Citron vert"},
    {"Gelb", "Yellow", "Jaune"},
    {"Blau", "Blue", "Bleu"},
    {"Fuchsie", "Fuchsia", "Fuchsia"},
    {"Aquamarin", "Aqua", "Bleu clair"},
    {"Wei\xC3\x9F", "White", "Blanc"},
};

}  // namespace

const char* Tr(Text text) {
    return kTexts[static_cast<size_t>(text)].Get();
}

std::string TrWith(Text text, const std::string& value) {
    std::string s = Tr(text);
    const size_t at = s.find("%s");
    if (at != std::string::npos)
        s.replace(at, 2, value);
    return s;
}

std::string TrWith(Text text, int first, int second) {
    std::string s = Tr(text);
    for (int value : {first, second}) {
        const size_t at = s.find("%d");
        if (at != std::string::npos)
            s.replace(at, 2, std::to_string(value));
    }
    return s;
}

const char* ColorName(int index) {
    return index >= 0 && index < 16 ? kColors[index].Get() : "";
}

}  // namespace kq::ui::commdlg
