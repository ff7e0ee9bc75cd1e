SELECT tab_oznaceni_doklad.ID_OZNACENI_DOKLAD,
  CASE tab_oznaceni_doklad.ID_OZNACENI_DOKLAD WHEN 1 THEN '[U]čtenka'
    WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list' ELSE '-' END AS POPIS_DOKLAD,
  tab_oznaceni_doklad.OZNACENI_DOKLAD, tab_oznaceni_doklad.OZNACENI_ROK,
  tab_oznaceni_doklad.OZNACENI_MESIC, tab_oznaceni_doklad.OZNACENI_DEN,
  tab_oznaceni_doklad.OZNACENI_ODDELOVAC, tab_oznaceni_doklad.PORADI_DOKLAD_NETISTENY,
  tab_oznaceni_doklad.PORADI_DOKLAD_VYTISTENY, tab_oznaceni_doklad.PORADI_ZAROVNANI,
  tab_oznaceni_doklad_func_DOKLAD_NETISTENY(tab_oznaceni_doklad.ID_OZNACENI_DOKLAD) AS DOKLAD_NETISTENY,
  tab_oznaceni_doklad_func_DOKLAD_VYTISTENY(tab_oznaceni_doklad.ID_OZNACENI_DOKLAD) AS DOKLAD_VYTISTENY
FROM tab_oznaceni_doklad
ORDER BY %ORDER_BY
