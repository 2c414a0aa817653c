#include <array>
#include <string_view>

#include "modello/nomi_file.h"
#include "scenario/dati.h"
#include "scenario/emissione.h"

namespace gara {

namespace {

// The lines of the notes for the driver, one running text.
// One source line per line of the file, exactly as written (UTF-8 here,
// Windows-1252 on disk).
constexpr std::array<std::string_view, 36> righe{{
    "Si premette che questo scenario è realizzato a memoria, quindi chiunque lo",
    "conosca meglio è invitato a modificarlo. E'richiesta molta attenzione in",
    "quanto non è presente la RS ed anche perchè alcuni segnali non sono molto",
    "distanti tra loro. Nonostante ciò non è necessario 'dare la rapida' alla",
    "vista di un segnale giallo o giallo lampeggiante dato che la composizione ",
    "del treno è di sole 4 carrozze quindi si frena abbastanza rapidamente.",
    "La migliore soluzione è quella di iniziare a frenare non appena si vede ",
    "il giallo o il giallo lampeggiante preceduto dalle tavole di orientamento",
    "che per tale motivo sono di grande aiuto. Su questa linea la velocità reale",
    "è di 125 Km/h, ma è stata aumentata per il recupero di eventuali ritardi.",
    "Eccetto il Pendolino, l'IC Basento e qualche espresso, i treni non sono molto",
    "lunghi, quindi 4 carrozze è abbastanza verosimile. ",
    "E'consigliabile rispettare le velocità indicate sui cartelli se non si",
    "vuole arrivare con largo anticipo evitando così lunghe soste nelle stazioni",
    "intermedie. Prestare molta attenzione alle riduzioni di velocità essendo i limiti",
    "massimi molto precisi, soprattutto in partenza da Castellaneta Marina in quanto",
    "la riduzione di velocità dura sino al segnale di prima categoria in uscita da",
    "detta stazione. In conclusione, la Corvana-Selvadoro è una linea",
    "molto semplice, per chi inizia a prendere la mano con il simulatore o per",
    "chi ogni tanto, al posto dei soliti treni più importanti, vuole effettuare",
    "qualche treno più 'rilassante'. Non si può fare a meno di notare che in ",
    "alcuni casi, nonostante ci si attenga alla velocità, si arriva in anticipo.",
    "Personalmente lo considero come uno scenario d'apprendimento per me che ",
    "ancora devo prendere la mano con l'editor da poco scaricato e per altri ",
    "che iniziano con il simulatore. Come ho già detto sopra chi conosce meglio ",
    "questa linea, può migliorarla, d'altronde non la percorro molto spesso, ",
    "ma è verosimile.",
    "Lo scenario è tutto in piano con poche curve ed una buona aderenza: ",
    "unica attenzione, i segnali e la velocità. Buon viaggio.",
    "Nell'aggiornamento, sono stati corretti gravi errori, è stata spostata la",
    "stazione di Cagioni, oggi non più funzionante, e sono stati tolti tutti",
    "quei sgenali in uscita da Castellaneta Marina. Ne ho lasciato uno al",
    "Km 26650 in uscita da questa stazione poichè solo dopo di esso termina",
    "la riduzione di velocità a 30 Km/h ed in modo che siate al corrente",
    "che solo dopo il segnale è possibile accelerare a 135 Km/h. Mi scuso per le ",
    "precedenti gravi imperfezioni. ",
}};

}  // namespace

std::span<const std::string_view> righe_note() { return righe; }

std::string dati_note() { return testo_windows1252(righe); }

}  // namespace gara
