SELECT tab_historie.ID_HISTORIE, tab_historie.ID_DOKLAD, tab_historie.ID_POLOZKA,
  tab_historie.ID_OPERACE, tab_historie.ID_DPH,
  tab_historie.OZNACENI, tab_historie.KOD, tab_historie.POLOZKA, tab_historie.SPECIFIKACE,
  tab_historie.ZARUKA, tab_dph.DPH, tab_sklad.SKLAD,
  tab_kategorie_func_PATH_KATEGORIE(tab_historie.ID_KATEGORIE) AS KATEGORIE,
  dodavatel.KONTAKT AS DODAVATEL, odberatel.KONTAKT AS ODBERATEL,
  tab_historie.NAKUP, tab_historie.PRODEJ, tab_historie.SLEVA, tab_historie.MNOZSTVI,
  tab_jednotka.JEDNOTKA,
  CAST(tab_historie.NAKUP * func_MNOZSTVI_PRESNE(tab_historie.MNOZSTVI) AS numeric(19,4)) AS NAKUP_CELKEM,
  -- The line's price after its discount, rounded once to the haler as it prints.
  CAST(round((100.0 - tab_historie.SLEVA) / 100 * tab_historie.PRODEJ
             * func_MNOZSTVI_PRESNE(tab_historie.MNOZSTVI), 2) AS numeric(19,4)) AS PRODEJ_CELKEM
FROM tab_historie
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_historie.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_historie.ID_SKLAD
  LEFT JOIN tab_kontakt dodavatel ON dodavatel.ID_KONTAKT = tab_historie.ID_DODAVATEL
  LEFT JOIN tab_kontakt odberatel ON odberatel.ID_KONTAKT = tab_historie.ID_ODBERATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_historie.ID_JEDNOTKA
WHERE tab_historie.ID_DOKLAD = :ID_DOKLAD
ORDER BY %ORDER_BY
