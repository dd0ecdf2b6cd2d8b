#include <algorithm>
#include <string>

#include "cli/command.h"
#include "core/user_text.h"
#include "kinds/kinds.h"

namespace fondara::cli {
namespace {

// "  name                     help; facoltativo, default", then the choices with their words.
std::string field_lines(const Kind& kind) {
  std::string text;
  for (const Field& field : kind.fields) {
    std::string line = "  " + std::string(field.text.name);
    line.resize(std::max<std::size_t>(line.size() + 1, 27), ' ');
    line += help_line(field.text);
    if (field.fallback)
      line += field.fallback->empty() ? "; facoltativo"
                                      : "; facoltativo, " + std::string(*field.fallback);
    text += line + '\n';
    for (const Choice& choice : field.choices)
      if (!choice.words.empty())
        text += std::string(29, ' ') + std::string(choice.code) + ": " + std::string(choice.words) +
                '\n';
  }
  return text;
}

std::string kinds_section() {
  std::string text;
  for (const Kind* kind : kinds())
    text += std::string(kind->name) + ": " + std::string(kind->summary) + ".\n";
  text += "I campi hanno i nomi dei campi della finestra di calcolo.\n";
  for (const Kind* kind : kinds())
    text += "\nCampi di " + std::string(kind->name) + ":\n" + field_lines(*kind);
  return text;
}

// "coesivi: qR, qd; sciolti: NY, Nq, Nc, qR, qd".
std::string result_columns() {
  std::string text;
  for (const Kind* kind : kinds()) {
    text += (text.empty() ? "" : "; ") + std::string(kind->name) + ":";
    for (const ResultField& result : kind->results)
      text += (&result == kind->results.data() ? " " : ", ") + std::string(result.text.name);
  }
  return text;
}

}  // namespace

std::string help_text() {
  const std::string names = kind_names();
  return "fondara-calc: carico limite delle fondazioni dirette da terminale.\n"
         "\n"
         "Uso:\n"
         "  fondara-calc TIPO CAMPO=VALORE ... [--report FILE|-] [--stampa] [--pdf FILE]\n"
         "               [--odt FILE|-]\n"
         "  fondara-calc TIPO --csv FILE|- [--output FILE|-]\n"
         "  fondara-calc --help\n"
         "\n"
         "TIPO è il tipo di calcolo: " +
         names + ".\n" + kinds_section() +
         "\n"
         "Numeri: come digitati nel campo della finestra: cifre e una virgola decimale; il\n"
         "punto vale come virgola (2.5 e 2,5 danno 2,5); un punto seguito da tre cifre, come in\n"
         "1.800, è rifiutato perché ambiguo: scrivere 1800 oppure 1,8. Sono ammessi spazi ai "
         "lati;\n"
         "segni, esponenti, lettere e ogni altro carattere rendono il valore non numerico.\n"
         "La descrizione è testo UTF-8 su una riga, senza caratteri di controllo (anche C1,\n"
         "da U+0080 a U+009F) né caratteri che cambiano la direzione del testo; nella\n"
         "relazione i caratteri che Windows-1252 non contiene diventano \"?\". Se L < B i dati\n"
         "sono rifiutati con il messaggio della finestra e non si danno risultati.\n"
         "\n"
         "Uscita:\n"
         "  (nessuna opzione)  i risultati come li mostra la finestra\n"
         "  --report FILE      scrive la relazione di calcolo come il pulsante SALVA\n"
         "                     (Windows-1252, righe CR LF); con - la scrive sullo standard output\n"
         "  --stampa           mostra le righe della relazione stampata (STAMPA) come anteprima\n"
         "                     di testo UTF-8, al posto dei risultati\n"
         "  --pdf FILE         scrive la relazione stampata, su A4, in un file PDF/A-1b, come\n"
         "                     SALVA con il tipo \"relazione PDF/A\"\n"
         "  --odt FILE         scrive la relazione in un documento ODT da modificare con un\n"
         "                     programma di videoscrittura, come SALVA con il tipo \"documento\n"
         "                     ODT\"; con - lo scrive sullo standard output\n"
         "  --csv FILE         un calcolo per ogni riga del file CSV; con - legge lo standard "
         "input\n"
         "  --output FILE      dove scrivere il CSV dei risultati; predefinito: standard output\n"
         "\n"
         "Ogni opzione si indica una volta. Un nome di file non comincia con -- (un file che\n"
         "si chiama così si indica come ./--nome); --report e --pdf vanno in file diversi. Un\n"
         "nome che indica il file già aperto come standard output (/dev/stdout) vale come -.\n"
         "\n"
         "CSV: la prima riga nomina i campi, in qualsiasi ordine; un campo facoltativo la cui\n"
         "colonna manca o la cui cella è vuota vale il suo predefinito, che il CSV dei risultati\n"
         "riporta. Il separatore è il punto e virgola se compare nell'intestazione, altrimenti\n"
         "la virgola: in tal caso i numeri decimali vanno tra virgolette (\"2,5\"). Virgolette\n"
         "come da RFC 4180. Il CSV dei risultati, in UTF-8 con righe CR LF e lo stesso\n"
         "separatore, riporta tutti i campi,\ni risultati (" +
         result_columns() +
         ") e la colonna errore: per\n"
         "una riga che non si può calcolare, il messaggio al posto dei risultati. Nessuna riga\n"
         "che non si calcola ferma il lavoro; un CSV malformato lo ferma, e sullo standard\n"
         "output restano le righe che lo precedono. Le righe si leggono una alla volta: la\n"
         "memoria resta entro pochi MiB qualunque sia il numero delle righe (una riga ha al\n"
         "massimo 1 MiB e 1024 campi). Il CSV dei risultati non può essere il file CSV letto.\n"
         "\n"
         "I file si scrivono in un file temporaneo nella stessa cartella, rinominato alla fine:\n"
         "in caso di errore non resta alcun file parziale e il file precedente resta intatto.\n"
         "Un file esistente conserva i permessi; una FIFO o un dispositivo si scrivono\n"
         "direttamente, senza sostituirli.\n"
         "\n"
         "Codici di uscita:\n"
         "  0  calcolo eseguito, uscita scritta\n"
         "  1  dati non calcolabili: L < B, calcolo impossibile, relazione non preparabile;\n"
         "     con --csv, almeno una riga con errore (il CSV dei risultati è comunque completo)\n"
         "  2  comando o dati errati: tipo di calcolo, opzione o campo sconosciuti, opzione o\n"
         "     campo mancante o ripetuto, due uscite nello stesso file, valore non numerico o\n"
         "     fuori dai limiti, scelta non prevista, descrizione non UTF-8 o con caratteri di\n"
         "     controllo, file CSV malformato o con intestazione errata\n"
         "  3  file o standard input non leggibili, file o standard output non scrivibili,\n"
         "     risultati da scrivere nel file CSV che si legge\n"
         "\n"
         "Nei messaggi il testo dell'utente è tra virgolette; i caratteri invisibili vi\n"
         "compaiono come \\n, \\e, \\x01 o \\u{00A0} (spazi diversi dallo spazio, spazi di\n"
         "larghezza zero, controlli).\n";
}

}  // namespace fondara::cli
