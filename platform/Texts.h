// Every text T/ROVA shows outside its forms: captions, messages, the buttons of its message
// boxes, and the words around the store's failures (the store reports them as data). UTF-8.
// The planner's texts stay in planner/Messages.cpp; the viewer keeps its own.
#pragma once

// Marks a text for Qt's translation tools (scripts/update-translations.sh); the window shows it
// through language::text (platform/Language.h), which finds its English.
#define TROVA_TEXT(context, text) text

namespace texts {

// The main window's caption and the caption of every failure report and question.
inline constexpr char kApplicationTitle[] = "T/ROVA";
inline constexpr char kErrorCaption[] = TROVA_TEXT("texts", "Chyba");

// The message boxes' buttons.
inline constexpr char kYesButton[] = TROVA_TEXT("texts", "&Ano");
inline constexpr char kNoButton[] = TROVA_TEXT("texts", "&Ne");
inline constexpr char kBackButton[] = TROVA_TEXT("texts", "Zpět");

// The store's failures; each is followed by the file name.
inline constexpr char kProfileNotFound[] = TROVA_TEXT("texts", "Nenalezen soubor ");
// A profile.dat that is there but is not read; %1 is the file name.
inline constexpr char kProfileNotRegular[] = TROVA_TEXT(
    "texts", "%1 není obyčejný soubor (je to složka, pojmenovaná roura nebo zařízení); T/ROVA jej neotevře.");
inline constexpr char kProfileTooLarge[] = TROVA_TEXT("texts", "Soubor %1 je větší než 64 MB; T/ROVA jej neotevře.");
inline constexpr char kCannotCreateFile[] = "Cannot create file ";
// Followed by the path of the journal holding the old bytes.
inline constexpr char kOldContentsKeptIn[] = TROVA_TEXT("texts", "\nPůvodní obsah je uložen v ");
// Why a save failed, the line under "Cannot create file"; any other cause in the system's words.
inline constexpr char kSaveNoSpace[] = TROVA_TEXT("texts", "Na disku není dost volného místa.");
inline constexpr char kSaveOverQuota[] = TROVA_TEXT("texts", "Je překročena disková kvóta.");
inline constexpr char kSaveReadOnly[] = TROVA_TEXT("texts", "Soubor nebo složka je jen pro čtení.");
inline constexpr char kSaveNoPermission[] = TROVA_TEXT("texts", "Chybí oprávnění k zápisu do souboru nebo složky.");
inline constexpr char kSaveTooLarge[] = TROVA_TEXT("texts", "Soubor by byl příliš velký.");
// %1 the link's path.
inline constexpr char kSaveUntrustedLink[] = TROVA_TEXT("texts",
    "Odkaz %1 patří jinému uživateli nebo leží ve složce, do které mohou zapisovat jiní; T/ROVA jím nezapisuje.");
// After the message of a failed save on closing.
inline constexpr char kCloseWithoutSaving[]
    = TROVA_TEXT("texts", "Soubor profile.dat nelze uložit. Zavřít bez uložení?");

// A save of profile.dat cut short, found at start-up; %1 is where the journal was set aside.
inline constexpr char kSaveWasCut[]
    = TROVA_TEXT("texts", "Ukládání souboru profile.dat bylo přerušeno. Obnovit jeho původní obsah?");
inline constexpr char kCutSaveChangedMeanwhile[]
    = TROVA_TEXT("texts", "Soubor profile.dat se mezitím změnil; jeho původní obsah se neobnoví.");
inline constexpr char kCutSaveSetAside[] = TROVA_TEXT("texts", "Původní obsah souboru profile.dat zůstává uložen v %1");
inline constexpr char kCutSaveNotSetAside[]
    = TROVA_TEXT("texts", "Záznam o přerušeném ukládání nelze odložit; T/ROVA se na něj zeptá při příštím spuštění.");

// The stop distance that a store refuses.
inline constexpr char kStopDistanceNotANumber[] = TROVA_TEXT("texts", "Nesprávná vzdálenost mezi zastávkami!");
// "Vzálenost" is spelled so on purpose: it is the program's own text, kept as users know it.
inline constexpr char kStopDistanceZero[] = TROVA_TEXT("texts", "Vzálenost mezi zastávkami nesmí být nulová!");

// A dive profile row the store refuses: %1 its number, %2 its cells joined by commas.
inline constexpr char kProfileRowRefused[]
    = TROVA_TEXT("texts", "Řádek %1 profilu ponoru (%2) nelze uložit: hloubka musí začínat číslicí.");

inline constexpr char kProfileChangedElsewhere[]
    = TROVA_TEXT("texts", "Soubor profile.dat mezitím změnil jiný program. Chcete jej přesto přepsat?");

// The dive profile table's header row.
inline constexpr char kDepthHeader[] = TROVA_TEXT("texts", "Hloubka");
inline constexpr char kTimeHeader[] = TROVA_TEXT("texts", "Čas");
inline constexpr char kMixHeader[] = TROVA_TEXT("texts", "Směs O2/He");

// The compute button's run: %1 is the plan file, %2 the planner's exit code.
inline constexpr char kNoPlanFile[] = TROVA_TEXT("texts", "Není zadán výstupní soubor.");
inline constexpr char kPlannerNotFound[]
    = TROVA_TEXT("texts", "Plánovač korax.exe nebyl nalezen; plán %1 nebyl vytvořen.");
inline constexpr char kPlannerCannotStart[]
    = TROVA_TEXT("texts", "Plánovač korax.exe nelze spustit; plán %1 nebyl vytvořen.");
inline constexpr char kPlannerCrashed[]
    = TROVA_TEXT("texts", "Plánovač korax.exe skončil neočekávaně; plán %1 se nezobrazí.");
inline constexpr char kPlannerFailed[]
    = TROVA_TEXT("texts", "Plánovač korax.exe skončil s kódem %2 a plán %1 nezapsal.");

} // namespace texts
