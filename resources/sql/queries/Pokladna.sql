SELECT tab_pokladna.ID_POKLADNA, tab_pokladna.ID_OPERACE,
  CASE tab_pokladna.ID_OPERACE WHEN 1 THEN '[U]čtenka' WHEN 4 THEN '[S]torno účtenky'
    WHEN 11 THEN '[V]ložení/Vybrání hotovosti' ELSE '-' END AS OPERACE,
  to_char(tab_pokladna.TIME_POKLADNA, 'YYYY-MM-DD HH24:MI:SS') AS CAS,
  CASE WHEN tab_pokladna.DOKLAD_NETISTENY = '0' THEN '-' ELSE tab_pokladna.DOKLAD_NETISTENY END
    AS DOKLAD_NETISTENY,
  CASE WHEN tab_pokladna.DOKLAD_VYTISTENY = '0' THEN '-' ELSE tab_pokladna.DOKLAD_VYTISTENY END
    AS DOKLAD_VYTISTENY,
  tab_pokladna.UZIVATEL, tab_pokladna.POHYB, tab_pokladna.STAV
FROM tab_pokladna
ORDER BY %ORDER_BY
