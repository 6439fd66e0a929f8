// Changing entries in place and undoing the changes one by one, with the saved state
// followed after each step.
#include "mainwindow/tests/HauptTestSupport.h"

namespace tvn::test {
namespace {

using winui::mrYes;

class EntryChanges : public MainWindowTest {
 protected:
  void OpenList(const std::vector<std::u16string>& autoren) {
    file = dir.File(u"liste.tvd");
    WriteListe(file, Liste(autoren));
    OpenFile(file);
    ASSERT_EQ(form->Daten.Count(), static_cast<int>(autoren.size()));
  }
  std::vector<std::u16string> Authors() const {
    std::vector<std::u16string> authors;
    for (const TDatenRec& rec : form->Daten.Liste) authors.push_back(rec.Autor);
    return authors;
  }
  std::u16string FocusedAuthor() const {
    const int row = form->ItemIndex();
    if (row < 0) return u"(none)";
    return form->Daten.Liste[static_cast<size_t>(row)].Autor;
  }
  void Undo() {
    prompt->AnswerMessage(mrYes);
    form->MenuAktZurueckClick();
  }
  void Mark(std::initializer_list<int> rows) {
    form->SetItemIndex(-1);
    for (int row : rows) form->ListView1.SetItemSelected(row, true);
    form->ListView1.SetItemFocused(*rows.begin());
  }

  std::u16string file;
};

TEST_F(EntryChanges, EditAddAndDeleteInPlaceThenUndoEachAcrossASaveAndAnotherOrder) {
  OpenList({u"B", u"D", u"F", u"H"});
  using V = std::vector<std::u16string>;

  form->SetItemIndex(1);  // D
  TDatenRec edited = form->Daten.Liste[1];
  edited.Autor = u"Z";
  form->SetUndoDaten();
  const int editedRow = form->EintragErsetzen(1, edited);
  form->SetLvDaten(editedRow);
  EXPECT_EQ(Authors(), (V{u"B", u"F", u"H", u"Z"}));
  EXPECT_EQ(editedRow, 3);
  EXPECT_TRUE(form->HatAenderungen());

  ASSERT_TRUE(form->Speichern(false));
  EXPECT_FALSE(form->HatAenderungen());

  form->SetUndoDaten();
  const int addedRow = form->EintragEinfuegen(Entry(u"C"));
  form->SetLvDaten(addedRow);
  EXPECT_EQ(Authors(), (V{u"B", u"C", u"F", u"H", u"Z"}));
  EXPECT_EQ(FocusedAuthor(), u"C");

  Mark({0, 2});  // B and F
  const std::vector<int> rows = form->MarkierteZeilen();
  EXPECT_EQ(rows, (std::vector<int>{0, 2}));
  form->SetUndoDaten(rows);
  form->EintraegeLoeschen(rows);
  form->SetLvDaten(0);
  EXPECT_EQ(Authors(), (V{u"C", u"H", u"Z"}));
  EXPECT_EQ(form->UndoDaten.Count(), 4);  // the open, then three changes

  form->SetSortAufS(false);
  Undo();  // the delete: both entries back, marked, in the order shown now
  EXPECT_EQ(Authors(), (V{u"Z", u"H", u"F", u"C", u"B"}));
  EXPECT_EQ(MarkedAuthors(*form), (V{u"F", u"B"}));
  EXPECT_EQ(FocusedAuthor(), u"B");
  EXPECT_TRUE(form->HatAenderungen());

  Undo();  // the new entry: back to the list as saved
  EXPECT_EQ(Authors(), (V{u"Z", u"H", u"F", u"B"}));
  EXPECT_FALSE(form->HatAenderungen());

  Undo();  // the edit made before the save: differs from what is on disk now
  EXPECT_EQ(Authors(), (V{u"H", u"F", u"D", u"B"}));
  EXPECT_EQ(FocusedAuthor(), u"D");
  EXPECT_TRUE(form->HatAenderungen());
  EXPECT_EQ(form->SaveDaten().Count(), 4);
  EXPECT_GE(form->SaveDaten().FindDatenRecNr(edited), 0) << "the saved list holds the edit";
}

TEST_F(EntryChanges, MarksOfIdenticalEntriesInALongListComeBackTwice) {
  std::vector<std::u16string> autoren;
  for (int i = 0; i < 300; ++i) autoren.push_back(u"Autor " + std::u16string(1, u'A' + i % 26));
  OpenList(autoren);
  // Two identical entries, and one that sorts equal but differs in its infos.
  TDatenRec twin = Entry(u"Autor M", u"Zwilling");
  TDatenRec other = twin;
  other.Infos = u"anders";
  form->SetUndoDaten();
  form->EintraegeEinfuegen(TListe{twin, other, twin});
  const int first = form->Daten.FindDatenRecNr(twin);
  ASSERT_GE(first, 0);
  std::vector<int> twins;
  for (int row = 0; row < form->Daten.Count(); ++row) {
    if (TDaten::Ident(form->Daten.Liste[static_cast<size_t>(row)], twin)) twins.push_back(row);
  }
  ASSERT_EQ(twins.size(), 2u);
  form->SetLvDaten(-1);
  Mark({twins[0], twins[1]});
  const std::vector<int> rows = form->MarkierteZeilen();
  form->SetUndoDaten(rows);
  form->EintraegeLoeschen(rows);
  form->SetLvDaten(0);
  EXPECT_EQ(form->Daten.FindDatenRecNr(twin), -1);

  Undo();
  std::vector<int> marked;
  for (int row = form->ListView1.NextSelected(-1); row >= 0;
       row = form->ListView1.NextSelected(row)) {
    marked.push_back(row);
  }
  EXPECT_EQ(marked, twins) << "both twins marked again, at their places";
  Undo();
  EXPECT_EQ(form->Daten.Count(), 300);
  EXPECT_FALSE(form->HatAenderungen());
}

}  // namespace
}  // namespace tvn::test
