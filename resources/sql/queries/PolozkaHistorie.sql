SELECT tab_historie.ID_HISTORIE, tab_historie.ID_DOKLAD, tab_historie.ID_POLOZKA,
  tab_historie.ID_OPERACE, tab_historie.REF_ID_DOKLAD,
  CASE tab_historie.ID_OPERACE
    WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'
    WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury / dodacího listu'
    WHEN 6 THEN 'Storno [D]odacího listu' WHEN 7 THEN '[N]ová' WHEN 8 THEN '[I]mport'
    WHEN 9 THEN '[E]ditace' WHEN 10 THEN '[O]debráno' ELSE '-' END AS OPERACE,
  to_char(tab_historie.TIME, 'YYYY-MM-DD HH24:MI:SS') AS CAS,
  tab_historie.STATE_STAV, tab_historie.DOKLAD_NETISTENY, tab_historie.DOKLAD_VYTISTENY,
  tab_historie.OZNACENI, tab_historie.KOD, tab_historie.POLOZKA, tab_historie.SPECIFIKACE,
  tab_historie.ZARUKA, tab_historie.NAKUP, tab_historie.PRODEJ, tab_historie.SLEVA,
  tab_historie.MNOZSTVI, tab_historie.ZASOBA, tab_historie.MINIMUM, tab_historie.NASOBNE,
  tab_dph.DPH, tab_sklad.SKLAD,
  kategorie.KATEGORIE,
  dodavatel.KONTAKT AS DODAVATEL, odberatel.KONTAKT AS ODBERATEL,
  tab_jednotka.JEDNOTKA, tab_historie.UZIVATEL
FROM tab_historie
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_historie.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_historie.ID_SKLAD
  LEFT JOIN tab_kontakt dodavatel ON dodavatel.ID_KONTAKT = tab_historie.ID_DODAVATEL
  LEFT JOIN tab_kontakt odberatel ON odberatel.ID_KONTAKT = tab_historie.ID_ODBERATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_historie.ID_JEDNOTKA
  -- The category's path once for each category of the item's lines (mostly
  -- one), not once a line: each path walks the tree up to its root.
  LEFT JOIN (SELECT k.ID_KATEGORIE, tab_kategorie_func_PATH_KATEGORIE(k.ID_KATEGORIE) AS KATEGORIE
             FROM (SELECT DISTINCT h.ID_KATEGORIE FROM tab_historie h WHERE h.ID_POLOZKA = :ID_POLOZKA) k) kategorie
    ON kategorie.ID_KATEGORIE = tab_historie.ID_KATEGORIE
WHERE tab_historie.ID_POLOZKA = :ID_POLOZKA
ORDER BY %ORDER_BY
