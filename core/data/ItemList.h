#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DataKey.h"
#include "data/ItemRecord.h"

// What the window showing a list learns of its changes. Row i is record i;
// the Order role's blank entry row after the last record is the view's own.
class IItemListView {
public:
    virtual ~IItemListView() = default;
    virtual void RowInserted(int index) = 0;
    virtual void RowDeleted(int index) = 0;
    virtual void RowChanged(int index) = 0;
    // Every row is gone or reordered: rebuild from the list.
    virtual void RowsReset() = 0;
    // The row the user last selected (-1 for none), and moving the selection.
    virtual int SelectionMark() const { return -1; }
    virtual void SelectRow(int) {}
    // After every save of the list's own file: whether it reached the disk.
    virtual void Saved(bool) {}
    // The list's file is scrambled and no data-file key was found: it is left
    // as it is and nothing is saved over it.
    virtual void FileUnreadable() {}
};

// The record list a CDatabaseCtrl owns: products, the order, search hits,
// response and history lines. In the Order role every change of a line
// rewrites the order file at once.
class CItemList {
public:
    explicit CItemList(const IDataKeySource* keys = nullptr) : m_keys(keys) {}
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;

    void Setup(ListKind kind);
    void SetView(IItemListView* view) { m_view = view; }
    ListKind Kind() const { return m_kind; }
    bool IsSetUp() const { return m_setUp; }

    // Appends the records of a data file; a name replaces the stored one.
    bool Load(const char* fileName = nullptr);
    // Writes every record to the name given, else to the stored one; never
    // over a stored file that could not be read (Unreadable).
    bool Save(const char* fileName = nullptr) const;
    bool Unreadable() const { return m_unreadable; }
    // The last save of the list's own file failed: the file is behind the list.
    bool Unsaved() const { return m_unsaved; }

    // Takes the record; once set up, a record whose code is already listed
    // only adds its quantity to that line.
    void AddRecord(std::unique_ptr<ItemRecord> record);
    // AddRecord of each, with one save of the order file for them all.
    void AddRecords(std::vector<std::unique_ptr<ItemRecord>> records);
    ItemRecord* FindByCode(const std::string& code, int* index = nullptr) const;
    // Products whose item code or second code is this GTIN number (any of its
    // 8-, 12-, 13- or 14-digit forms, see GtinNumber), in list order, each
    // once. Only the Products role keeps this index.
    std::vector<ItemRecord*> FindByGtin(uint64_t gtin) const;
    // Refreshes a line: in the Order role a quantity of 0 removes it. Saves the order.
    void UpdateRow(int index);
    // UpdateRow without the save, for a caller that changes many lines and saves once.
    void RefreshLine(int index);
    void DeleteLine(int index);
    void Clear();
    // Class 3 first down to class 0, by description within a class; stable.
    void Sort();
    // Appends copies of the source's records that match text, at most limit.
    void Search(const CItemList& source, const char* text, int limit);

    static bool Matches(const char* description, const char* text, const char* size);

    int Count() const { return static_cast<int>(m_records.size()); }
    ItemRecord* At(int index) const { return m_records[static_cast<size_t>(index)].get(); }
    int IndexOf(const ItemRecord* record) const;
    const std::string& FileName() const { return m_fileName; }

private:
    bool TakeRecord(std::unique_ptr<ItemRecord> record);
    void UnindexRecord(ItemRecord* record);
    void BuildGtinIndex() const;
    void DropGtinIndex();
    void IndexGtin(ItemRecord* record);
    void UnindexGtin(ItemRecord* record);
    void AutoSave() const;
    bool Write(const std::string& fileName) const;
    void ReserveFor(const std::string& fileName);

    const IDataKeySource* m_keys;
    IItemListView* m_view = nullptr;
    ListKind m_kind = ListKind::Products;
    bool m_setUp = false;
    bool m_loading = false;
    bool m_unreadable = false;
    mutable bool m_unsaved = false;
    std::string m_fileName;
    std::vector<std::unique_ptr<ItemRecord>> m_records;
    // First record of each code, so loading a large product file stays linear.
    std::unordered_map<std::string, ItemRecord*> m_byCode;
    // Every product under the GTIN of its item code and of its second code,
    // in GTIN order, so a scanned pack is found at once among 100,000
    // products; made at the first look-up (BuildGtinIndex), by one sort, in
    // about half the time a hash table takes to make a node per product.
    mutable std::vector<std::pair<uint64_t, ItemRecord*>> m_byGtin;
    mutable bool m_gtinIndexed = false;
};
