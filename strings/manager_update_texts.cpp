#include "strings/manager_update_texts.h"

#include "strings/language.h"

namespace strings {
namespace {

const LocalizedTexts k_instruction = {
    "Newer version of %@ is available. Would you like to update %@ to v%d.%d%@?\n\nPressing the [%@] button will close this program and start downloading the update. Install the update after downloading.\nPressing the [%@] button will start %@ v%d.%d%@ without updating.",
    "Une version plus récente de %@ est disponible. Voulez-vous mettre à jour %@ vers v%d.%d%@ ?\n\nLe bouton [%@] ferme ce programme et lance le téléchargement de la mise à jour. Installez la mise à jour après le téléchargement.\nLe bouton [%@] démarre %@ v%d.%d%@ sans mise à jour.",
    "Eine neuere Version von %@ ist verfügbar. Möchten Sie %@ auf v%d.%d%@ aktualisieren?\n\nDie Taste [%@] schließt dieses Programm und startet den Download der Aktualisierung. Installieren Sie die Aktualisierung nach dem Download.\nDie Taste [%@] startet %@ v%d.%d%@ ohne Aktualisierung.",
    "È disponibile una versione più recente di %@. Aggiornare %@ alla v%d.%d%@?\n\nIl pulsante [%@] chiude questo programma e avvia il download dell'aggiornamento. Installare l'aggiornamento dopo il download.\nIl pulsante [%@] avvia %@ v%d.%d%@ senza aggiornare.",
    "%@ の新しいバージョンがあります。%@ を v%d.%d%@ に更新しますか?\n\n[%@] ボタンを押すとこのプログラムを終了し、更新のダウンロードを開始します。ダウンロード後に更新をインストールしてください。\n[%@] ボタンを押すと、更新せずに %@ v%d.%d%@ を起動します。",
    "%@의 새 버전이 있습니다. %@을(를) v%d.%d%@(으)로 업데이트하시겠습니까?\n\n[%@] 버튼을 누르면 이 프로그램이 종료되고 업데이트 다운로드가 시작됩니다. 다운로드 후 업데이트를 설치하십시오.\n[%@] 버튼을 누르면 업데이트 없이 %@ v%d.%d%@이(가) 시작됩니다.",
    "Hay una versión más reciente de %@. ¿Desea actualizar %@ a v%d.%d%@?\n\nEl botón [%@] cierra este programa e inicia la descarga de la actualización. Instale la actualización después de descargarla.\nEl botón [%@] inicia %@ v%d.%d%@ sin actualizar.",
    "Er is een nieuwere versie van %@ beschikbaar. Wilt u %@ bijwerken naar v%d.%d%@?\n\nDe knop [%@] sluit dit programma en start het downloaden van de update. Installeer de update na het downloaden.\nDe knop [%@] start %@ v%d.%d%@ zonder bij te werken.",
    "Доступна новая версия %@. Обновить %@ до v%d.%d%@?\n\nКнопка [%@] закроет эту программу и начнет загрузку обновления. Установите обновление после загрузки.\nКнопка [%@] запустит %@ v%d.%d%@ без обновления.",
    "%@ 有新版本可用。是否将 %@ 更新到 v%d.%d%@?\n\n按 [%@] 按钮将关闭本程序并开始下载更新。下载后请安装更新。\n按 [%@] 按钮将不更新而启动 %@ v%d.%d%@。",
    "%@:sta on saatavilla uudempi versio. Haluatko päivittää %@:n versioon v%d.%d%@?\n\n[%@]-painike sulkee tämän ohjelman ja aloittaa päivityksen lataamisen. Asenna päivitys latauksen jälkeen.\n[%@]-painike käynnistää %@ v%d.%d%@ -version ilman päivitystä.",
    "Je k dispozici novější verze %@. Chcete aktualizovat %@ na v%d.%d%@?\n\nTlačítko [%@] zavře tento program a zahájí stahování aktualizace. Po stažení aktualizaci nainstalujte.\nTlačítko [%@] spustí %@ v%d.%d%@ bez aktualizace.",
    "Dostępna jest nowsza wersja %@. Czy zaktualizować %@ do v%d.%d%@?\n\nPrzycisk [%@] zamknie ten program i rozpocznie pobieranie aktualizacji. Po pobraniu zainstaluj aktualizację.\nPrzycisk [%@] uruchomi %@ v%d.%d%@ bez aktualizacji.",
};

}  // namespace

const std::string& manager_update_offer_text(int language) { return pick(k_instruction, language); }

}  // namespace strings
