tab_polozka.ID_POLOZKA IN (
  -- The condition is tested on each item joined with each of its lines (an
  -- item without lines with a line of nothing), its names meaning what they
  -- mean there; the items of the pairs it takes are listed, each once. A
  -- condition on the lines' time finds them through its index.
  SELECT tab_polozka.ID_POLOZKA
  FROM tab_polozka
    LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
    LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
    LEFT JOIN tab_kategorie ON tab_kategorie.ID_KATEGORIE = tab_polozka.ID_KATEGORIE
    LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
    LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
    LEFT JOIN tab_historie ON tab_historie.ID_POLOZKA = tab_polozka.ID_POLOZKA
  WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
    AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE ''
    AND @KLICE(tab_polozka.ID_POLOZKA)
    AND (%WHERE_FILTER))
